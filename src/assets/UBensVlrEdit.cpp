#include "UBensVlrEdit.h"

#include "assetfields.h"

#include <accounts/listbuttons.h>
#include <accounts/mnemonicbutton.h>
#include <app/application.h>
#include <app/dates.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace assets {

TFormBensVlrEdit::TFormBensVlrEdit(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_leave(this, [this](QWidget *f) { return leaveField(f); })
{
    setObjectName("TFormBensVlrEdit");
    auto *box = new QGroupBox("Motivo ");
    box->setObjectName("RgMotivo");
    Motivo = new QButtonGroup(this);
    auto *boxLayout = new QHBoxLayout(box);
    const char *names[] = {"Valorização", "Desvalorização", "Venda do Bem"};
    for (int i = 0; i < 3; ++i) {
        auto *r = new QRadioButton(names[i]);
        r->setObjectName(QString("RbMotivo%1").arg(i));
        Motivo->addButton(r, i);
        boxLayout->addWidget(r);
        r->installEventFilter(this);
    }
    EditDt = makeDateEdit("EditDt");
    EditValor = makeValorEdit("EditValor");
    EditValor->setMaximumWidth(140);
    EditObs = new QLineEdit;
    EditObs->setObjectName("EditObs");
    EditObs->setMaxLength(255);
    EditObs->setMinimumWidth(380);

    auto *form = new QFormLayout;
    form->addRow(caption("&Data", EditDt), EditDt);
    form->addRow(caption("&Valor", EditValor), EditValor);
    form->addRow(caption("&Anotação/Observação", EditObs), EditObs);

    const accounts::EditorButtons b = accounts::makeEditorButtons(2024);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(box);
    outer->addLayout(form);
    outer->addLayout(b.row);
    connect(b.ok, &QPushButton::clicked, this, [this] { app::guarded([this] { BtOkClick(); }); });
    connect(b.cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_leave.watch({EditDt, EditValor});
    m_leave.addWayOut(b.cancel);
    new app::FieldNavigator(this);
}

TFormBensVlrEdit::~TFormBensVlrEdit() = default;

// Enter on a kind moves on to the date; the arrows keep choosing among the kinds.
bool TFormBensVlrEdit::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && qobject_cast<QRadioButton *>(watched)) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_leave.focus(EditDt);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

bool TFormBensVlrEdit::editChange(ValueChange &c, const QString &title)
{
    m_change = c;
    setWindowTitle(title);
    // An unknown kind read from the file shows no choice, as it has no effect.
    if (QAbstractButton *b = Motivo->button(int(c.tipoVlr)))
        b->setChecked(true);
    EditDt->setText(c.data.isValid() ? app::formatDate(c.data) : QString());
    EditValor->setText(c.valor.isZero() ? QString() : valorText(c.valor));
    EditObs->setText(c.obs);
    m_leave.clearRefusal();
    app::placeDialog(this, app::mainWindow());
    if (QAbstractButton *b = Motivo->checkedButton())
        b->setFocus();
    else
        Motivo->button(0)->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    c = m_change;
    return true;
}

bool TFormBensVlrEdit::leaveField(QWidget *field)
{
    std::optional<QString> p;
    if (field == EditDt)
        p = dateProblem(EditDt->text());
    else if (field == EditValor)
        p = valorProblem(EditValor->text(), "Valor");
    if (p)
        app::Mensagem(*p, 0);
    return !p;
}

void TFormBensVlrEdit::BtOkClick()
{
    if (!m_leave.checkFocused())
        return;
    ValueChange c = m_change;
    c.tipoVlr = Motivo->checkedId() >= 0 ? Motivo->checkedId() : c.tipoVlr;
    c.data = dateOf(EditDt->text());
    c.valor = valorOf(EditValor->text());
    c.obs = EditObs->text().trimmed();
    if (const auto r = checkChange(c)) {
        app::Mensagem(r->message, 0);
        m_leave.focus(r->field == Field::DtAquisicao ? EditDt : EditValor);
        return;
    }
    m_change = c;
    accept();
}

} // namespace assets
