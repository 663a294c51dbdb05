#include "UData.h"

#include <app/dates.h>
#include <app/mensagem.h>

#include <QCalendarWidget>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace entries {

namespace {

enum Page { PageMes = 0, PagePeriodo = 1, PageAno = 2 };

// Which pages each page set shows: month, interval, year.
std::array<bool, 3> pagesOf(int pageSet)
{
    switch (pageSet) {
    case 1:
        return {true, false, false};
    case 2:
        return {false, true, false};
    case 3:
        return {false, false, true};
    case 4:
        return {true, true, false};
    case 5:
        return {false, true, true};
    case 6:
        return {true, false, true};
    default:
        return {true, true, true};
    }
}

QDateEdit *dateEdit(const char *name, const QString &format, bool calendar)
{
    auto *e = new QDateEdit;
    e->setObjectName(name);
    e->setDisplayFormat(format);
    e->setCalendarPopup(calendar);
    e->setMinimumWidth(calendar ? 110 : 90);
    e->setAlignment(Qt::AlignCenter);
    return e;
}

QPushButton *stepButton(const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    b->setFixedSize(28, 24);
    return b;
}

QWidget *pickerRow(QWidget *left, QWidget *picker, QWidget *right)
{
    auto *page = new QWidget;
    auto *l = new QHBoxLayout(page);
    l->addStretch();
    l->addWidget(left);
    l->addWidget(picker);
    l->addWidget(right);
    l->addStretch();
    return page;
}

} // namespace

struct TFormData::Private
{
    QTabWidget *pages = nullptr;
    QDateEdit *EditMes = nullptr, *EditDtMin = nullptr, *EditDtMax = nullptr, *EditAno = nullptr;
    QPushButton *BtOk = nullptr, *BtCancel = nullptr;

    QWidget *intervalPage();
    QDateEdit *pickerOf(int page) const
    {
        return page == PagePeriodo ? EditDtMin : page == PageAno ? EditAno : EditMes;
    }
};

QWidget *TFormData::Private::intervalPage()
{
    EditDtMin = dateEdit("EditDtMin", "dd/MM/yyyy", true);
    EditDtMax = dateEdit("EditDtMax", "dd/MM/yyyy", true);
    auto *page = new QWidget;
    auto *g = new QGridLayout(page);
    g->addWidget(new QLabel(" Data Inicial:"), 0, 0);
    g->addWidget(EditDtMin, 0, 1);
    g->addWidget(new QLabel(" Data Final:"), 1, 0);
    g->addWidget(EditDtMax, 1, 1);
    // When a calendar closes the typing goes on in the day part.
    for (QDateEdit *e : {EditDtMin, EditDtMax})
        QObject::connect(e->calendarWidget(), &QCalendarWidget::clicked, e, [e] {
            QTimer::singleShot(0, e, [e] { e->setSelectedSection(QDateTimeEdit::DaySection); });
        });
    return page;
}

TFormData::TFormData(QWidget *parent) : QDialog(parent), d(std::make_unique<Private>())
{
    setObjectName("TFormData");
    setWindowTitle("Período");
    setStyleSheet("QDialog#TFormData { background: #D9EAD9; }"
                  "QTabWidget::pane { background: #ECF4EC; border: 1px solid #A9C4A9; }"
                  "QTabWidget > QWidget > QWidget { background: #ECF4EC; }"
                  "QTabBar::tab { background: #ECF4EC; border: 1px solid #8FAF8F;"
                  " border-radius: 3px; padding: 4px 8px; margin-right: 3px; }"
                  "QTabBar::tab:selected { background: #C0DCC0; font-weight: bold; }");

    d->EditMes = dateEdit("EditMes", "MM/yyyy", false);
    d->EditMes->setCurrentSection(QDateTimeEdit::MonthSection);
    d->EditAno = dateEdit("EditAno", "yyyy", false);
    auto *btPrior = stepButton("BtPrior", "<");
    auto *btNext = stepButton("BtNext", ">");
    auto *btAnoPrior = stepButton("BtAnoPrior", "<");
    auto *btAnoNext = stepButton("BtAnoNext", ">");

    d->pages = new QTabWidget;
    d->pages->setObjectName("PageControl");
    d->pages->setDocumentMode(false);
    d->pages->addTab(pickerRow(btPrior, d->EditMes, btNext), "Selecione o Mês");
    d->pages->addTab(d->intervalPage(), "Outro Período");
    d->pages->addTab(pickerRow(btAnoPrior, d->EditAno, btAnoNext), "Selecione o Ano");
    d->pages->widget(PageMes)->setObjectName("TabMes");
    d->pages->widget(PagePeriodo)->setObjectName("TabPeriodo");
    d->pages->widget(PageAno)->setObjectName("TabAno");

    d->BtOk = new QPushButton("OK");
    d->BtOk->setObjectName("BtOk");
    d->BtOk->setDefault(true);
    d->BtCancel = new QPushButton("&Cancelar");
    d->BtCancel->setObjectName("BtCancel");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(d->BtOk);
    buttons->addWidget(d->BtCancel);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(d->pages);
    outer->addLayout(buttons);
    setFixedSize(420, 170);

    connect(btPrior, &QPushButton::clicked, this, &TFormData::BtPriorClick);
    connect(btNext, &QPushButton::clicked, this, &TFormData::BtNextClick);
    connect(btAnoPrior, &QPushButton::clicked, this, [this] { yearStep(-1); });
    connect(btAnoNext, &QPushButton::clicked, this, [this] { yearStep(1); });
    connect(d->BtOk, &QPushButton::clicked, this, &TFormData::accept);
    connect(d->BtCancel, &QPushButton::clicked, this, &TFormData::reject);

    const QDate today = app::today();
    setMonthDate(today);
    setIntervalDates(today, today);
    setYearDate(today);
}

TFormData::~TFormData() = default;

void TFormData::setPageSet(int pageSet)
{
    m_pageSet = pageSet;
}

void TFormData::setMonthDate(const QDate &date)
{
    d->EditMes->setDate(date);
}

void TFormData::setIntervalDates(const QDate &ini, const QDate &fim)
{
    d->EditDtMin->setDate(ini);
    d->EditDtMax->setDate(fim);
}

void TFormData::setYearDate(const QDate &date)
{
    d->EditAno->setDate(date);
}

void TFormData::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    m_chosen = {};
    app::placeDialog(this);
    const auto shown = pagesOf(m_pageSet);
    for (int p = 0; p < 3; ++p)
        d->pages->setTabVisible(p, shown[size_t(p)]);
    int first = Tag == 2 ? PagePeriodo : Tag == 3 ? PageAno : PageMes;
    if (!shown[size_t(first)])
        first = int(std::find(shown.begin(), shown.end(), true) - shown.begin());
    d->pages->setCurrentIndex(first);
    QDateEdit *picker = d->pickerOf(first);
    picker->setFocus();
    picker->setSelectedSection(first == PagePeriodo ? QDateTimeEdit::DaySection
                               : first == PageAno   ? QDateTimeEdit::YearSection
                                                    : QDateTimeEdit::MonthSection);
}

void TFormData::BtPriorClick()
{
    const DateRange shown = CalcularMes(d->EditMes->date());
    d->EditMes->setDate(CalcularMes(shown.ini.addDays(-1)).ini);
    d->EditMes->setFocus();
}

void TFormData::BtNextClick()
{
    d->EditMes->setDate(CalcularMes(d->EditMes->date()).fim.addDays(1));
    d->EditMes->setFocus();
}

void TFormData::yearStep(int delta)
{
    d->EditAno->setDate(QDate(d->EditAno->date().year() + delta, 1, 1));
    d->EditAno->setFocus();
}

void TFormData::accept()
{
    const int page = d->pages->currentIndex();
    if (page == PagePeriodo) {
        const QString problem = intervalProblem(d->EditDtMin->date(), d->EditDtMax->date());
        if (!problem.isEmpty()) {
            app::Mensagem(problem, 0);
            d->EditDtMax->setFocus();
            return;
        }
        m_chosen = {d->EditDtMin->date(), d->EditDtMax->date()};
        Tag = 2;
    } else if (page == PageAno) {
        m_chosen = yearOf(d->EditAno->date().year());
        Tag = 3;
    } else {
        m_chosen = CalcularMes(d->EditMes->date());
        Tag = 1;
    }
    app::AjustarFormatoDatas();
    QDialog::accept();
}

void TFormData::reject()
{
    app::AjustarFormatoDatas();
    QDialog::reject();
}

} // namespace entries
