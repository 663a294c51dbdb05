#include "UBiblia.h"

#include "bibletree.h"
#include "helppictures.h"
#include "helpwidgets.h"
#include "pagecopy.h"

#include <app/application.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <data/UDM.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace help {

static constexpr int kPositionRole = Qt::UserRole;
static constexpr int kHelpPage = 2008;

TFormBiblia::TFormBiblia(data::TDM &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName("TFormBiblia");
    setWindowTitle("Quorvila :: Educação Financeira [Princípios Bíblicos de Finanças]");
    setWindowModality(Qt::WindowModal);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *body = new QHBoxLayout;
    layout->addLayout(body, 1);
    m_tree = new QTreeWidget;
    m_tree->setObjectName("TreeView1");
    m_tree->setAccessibleName("Tópicos");
    m_tree->setFixedWidth(280);
    body->addWidget(m_tree);

    auto *right = new QVBoxLayout;
    body->addLayout(right, 1);
    auto *titlePanel = new QFrame;
    titlePanel->setObjectName("PanelTitulo");
    titlePanel->setStyleSheet("QFrame#PanelTitulo { background: #D9EAD9; }");
    auto *titleRow = new QHBoxLayout(titlePanel);
    titleRow->setContentsMargins(8, 4, 4, 4);
    m_title = new QLabel;
    m_title->setObjectName("DBText1");
    m_title->setTextFormat(Qt::PlainText);
    QFont tf = m_title->font();
    tf.setPointSize(tf.pointSize() + 2);
    tf.setBold(true);
    m_title->setFont(tf);
    m_title->setStyleSheet("color: #006000;");
    m_title->setWordWrap(true); // a long title takes a second line rather than being cut
    titleRow->addWidget(m_title, 1);
    auto *help = new QToolButton;
    help->setObjectName("BtFinHelp");
    help->setIcon(picture(Picture::Help, 20));
    help->setToolTip("Ajuda");
    help->setAutoRaise(true);
    app::wireHelp(help, kHelpPage);
    titleRow->addWidget(help);
    right->addWidget(titlePanel);
    m_text = new QTextEdit;
    m_text->setObjectName("DBRichEdit1");
    m_text->setAccessibleName("Texto");
    makeReadOnlyText(m_text);
    right->addWidget(m_text, 1);

    QHBoxLayout *footer = addFooterVerse(
        layout, "\"Abre os meus olhos para que eu veja   as maravilhas da Tua lei\". Sl 119:18");
    const auto button = [footer](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        footer->addWidget(b);
        return b;
    };
    auto *copy = button("BtCopy", "Copiar", "Copiar o Texto para a Área de Transferência");
    auto *save = button("BtSaveRTF", "Salvar RTF", "Salvar o Texto em Arquivo RTF");
    auto *fechar = button("BtFechar", "Fechar", {});
    connect(copy, &QPushButton::clicked, this, [this] { app::guarded([this] { copyText(); }); });
    connect(save, &QPushButton::clicked, this, [this] { app::guarded([this] { saveText(); }); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);

    createTree();
    // Narrower than the main window, so that it sits inside the main window's right edge.
    setFixedSize(760, 540);
}

void TFormBiblia::createTree()
{
    m_tree->setHeaderHidden(true);
    // Long titles scroll sideways rather than being cut.
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setIconSize(QSize(16, 16));
    const QIcon closed(picture(Picture::BookClosed, 16));
    const QIcon open(picture(Picture::BookOpen, 16));
    const QIcon page(picture(Picture::Page, 16));
    const QIcon day(picture(Picture::Day, 16));
    const auto &topics = bibleTopics();
    std::vector<QTreeWidgetItem *> parents; // the last item at each depth
    for (int k = 0; k < int(topics.size()); ++k) {
        const BibleTopic &t = topics[k];
        parents.resize(t.depth);
        auto *item =
            parents.empty() ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(parents.back());
        item->setText(0, t.title);
        item->setData(0, kPositionRole, k);
        const bool hasChildren = k + 1 < int(topics.size()) && topics[k + 1].depth > t.depth;
        item->setIcon(0, hasChildren ? closed : t.depth == 2 && k >= 24 ? day : page);
        parents.push_back(item);
    }
    // A topic with subtopics shows an open book while it is open.
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [open](QTreeWidgetItem *i) { i->setIcon(0, open); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
            [closed](QTreeWidgetItem *i) { i->setIcon(0, closed); });
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        for (int p : bibleTopicsExpanded())
            if ((*it)->data(0, kPositionRole).toInt() == p)
                (*it)->setExpanded(true);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { app::guarded([this, item] { showTopic(item); }); });
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { app::guarded([this, item] { showTopic(item); }); });
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void TFormBiblia::showTopic(QTreeWidgetItem *item)
{
    m_page = {};
    m_code = item ? bibleTopicCode(item->data(0, kPositionRole).toInt()) : 0;
    if (m_code && m_dm.TbInfo->isActive())
        m_page = readPage(m_dm.infoDb(), *m_dm.TbInfo, m_code).value_or(InfoPage{});
    // A node without a page shows an empty title and text.
    m_title->setText(m_page.titulo);
    m_title->setToolTip(m_page.titulo);
    m_text->setHtml(m_page.texto);
}

void TFormBiblia::copyText()
{
    copyPage({m_page.titulo, m_page.texto}, MottoLetter::Without, this);
    m_text->setFocus();
}

void TFormBiblia::saveText()
{
    savePage({m_page.titulo, m_page.texto}, MottoLetter::Without, "PrincipiosDeFinancas.RTF", this);
    m_text->setFocus();
}

void TFormBiblia::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    app::placeBesideMainWindow(this);
    // The window manager's frame may be known only once the window is up; the right edge is
    // the frame's, so place it again then.
    QTimer::singleShot(0, this, [this] { app::placeBesideMainWindow(this); });
    m_tree->setFocus();
}

} // namespace help
