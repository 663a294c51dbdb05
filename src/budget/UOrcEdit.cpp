#include "UOrcEdit.h"

#include "decimalkeys.h"
#include "generation.h"

#include <app/application.h>
#include <app/format.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <app/windowhints.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace budget {

TFormOrcEdit::TFormOrcEdit(const QString &account, const QString &value,
                           std::function<void(app::Money)> save, QWidget *parent)
    : QDialog(parent), m_save(std::move(save))
{
    setObjectName("TFormOrcEdit");
    setWindowTitle("Orçar Conta");
    app::withoutCloseBox(this);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(new QLabel("Digite o valor orçado para a conta:", this));
    LabelCta = new QLabel(account, this);
    LabelCta->setObjectName("LabelCta");
    LabelCta->setTextFormat(Qt::PlainText);
    QFont bold = LabelCta->font();
    bold.setBold(true);
    LabelCta->setFont(bold);
    lay->addWidget(LabelCta);

    auto *row = new QHBoxLayout;
    auto *caption = new QLabel("Valor Orçado", this);
    EditValor = new QLineEdit(value, this);
    EditValor->setObjectName("EditValor");
    EditValor->setMaxLength(30);
    EditValor->setAlignment(Qt::AlignRight);
    new DecimalKeys(EditValor, 2);
    EditValor->installEventFilter(this);
    caption->setBuddy(EditValor);
    row->addWidget(caption);
    row->addWidget(EditValor, 1);
    lay->addLayout(row);

    auto *buttons = new QHBoxLayout;
    BtOk = new QPushButton("&Gravar", this);
    BtOk->setObjectName("BtOk");
    BtCancel = new QPushButton("&Cancelar", this);
    BtCancel->setObjectName("BtCancel");
    for (QPushButton *b : {BtOk, BtCancel})
        b->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(BtOk);
    buttons->addWidget(BtCancel);
    lay->addLayout(buttons);
    new app::FieldNavigator(this);
    connect(BtOk, &QPushButton::clicked, this, &TFormOrcEdit::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void TFormOrcEdit::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    app::placeDialog(this, app::mainWindow());
    EditValor->setFocus();
}

bool TFormOrcEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EditValor && event->type() == QEvent::FocusIn) {
        // A value shown grouped is typed again without its thousands separators.
        EditValor->setText(EditValor->text().remove(app::kThousandSeparator));
        QTimer::singleShot(0, EditValor, [e = EditValor] { e->selectAll(); });
    } else if (watched == EditValor && event->type() == QEvent::FocusOut) {
        if (const auto v = app::parseMoney(EditValor->text()))
            EditValor->setText(app::formatMoney(*v, "0.00"));
    }
    return QDialog::eventFilter(watched, event);
}

void TFormOrcEdit::accept()
{
    const TypedValue v = readTypedValue(EditValor->text());
    if (!v.message.isEmpty()) {
        app::Mensagem(v.message, 0);
        EditValor->setFocus();
        EditValor->selectAll();
        return;
    }
    bool saved = false;
    app::guarded([&] {
        m_save(v.value);
        saved = true;
    });
    if (saved)
        QDialog::accept();
}

} // namespace budget
