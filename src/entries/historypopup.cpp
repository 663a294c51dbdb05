#include "historypopup.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

namespace entries {

HistoryPopup::HistoryPopup(QWidget *parent)
    : QFrame(parent, Qt::Popup), m_list(new QListView), m_model(new QStringListModel(this))
{
    setObjectName("ListaHsto");
    setFrameShape(QFrame::Box);
    m_list->setObjectName("ListaHstoItens");
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true); // tens of thousands of items
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->installEventFilter(this);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_list);
    connect(m_list, &QListView::clicked, this, &HistoryPopup::choose);
}

void HistoryPopup::setItems(const QStringList &items)
{
    m_source = nullptr;
    m_model->setStringList(items);
}

void HistoryPopup::setItemsSource(std::function<QStringList()> source)
{
    m_model->setStringList({});
    m_source = std::move(source);
}

void HistoryPopup::load() const
{
    if (!m_source)
        return;
    const auto source = std::move(m_source);
    m_source = nullptr;
    m_model->setStringList(source());
}

QStringList HistoryPopup::items() const
{
    load();
    return m_model->stringList();
}

void HistoryPopup::prepend(const QString &item)
{
    load();
    m_model->insertRows(0, 1);
    m_model->setData(m_model->index(0), item);
}

void HistoryPopup::showUnder(QLineEdit *field)
{
    load();
    resize(field->width(), 160);
    move(field->mapToGlobal(QPoint(0, field->height())));
    const QModelIndexList same =
        m_model->match(m_model->index(0), Qt::DisplayRole, field->text(), 1, Qt::MatchExactly);
    m_list->setCurrentIndex(same.isEmpty() ? m_model->index(0) : same.first());
    show();
    m_list->setFocus();
}

void HistoryPopup::choose()
{
    const QModelIndex i = m_list->currentIndex();
    hide();
    if (i.isValid())
        Q_EMIT chosen(i.data().toString());
}

bool HistoryPopup::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose();
        return true;
    case Qt::Key_Escape:
        hide();
        return true;
    default:
        return false;
    }
}

} // namespace entries
