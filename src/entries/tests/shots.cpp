// entries-shots: shows the period dialog and the entry editor on a sample book and saves their
// pictures as PNG files in the directory given, for looking at them (run under a real or virtual
// display). A program, not a test.
#include <entries/UData.h>
#include <entries/UFinEdit.h>
#include <entries/session.h>

#include <accounts/UCtaView.h>
#include <accounts/UHstoView.h>
#include <app/application.h>
#include <app/dates.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

static void save(QWidget *w, const QString &path)
{
    QTest::qWait(150);
    w->grab().save(path);
}

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    const QString out = argc > 1 ? argv[1] : QDir::currentPath();
    QTemporaryDir dir;
    data::TDM dm;
    dm.DataModuleCreate(dir.path());
    data::installFirstRun(dm.db(), QDate(2024, 3, 10));
    dm.openSharedTables();
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    app::setTodayForTests(QDate(2024, 3, 10));
    entries::applyUserDefaults(*dm.TbUser, app::today());
    entries::Session session(dm.db(), *dm.TbFin);
    session.period() = entries::restoreUserPeriod(*dm.TbUser);

    entries::TFormData period;
    period.setPageSet(0);
    period.setMonthDate(QDate(2024, 3, 1));
    for (int tag : {1, 2, 3}) {
        period.Tag = tag;
        period.show();
        save(&period, out + QString("/period-page%1.png").arg(tag));
        period.hide();
    }

    accounts::TFormCtaView cta(dm);
    accounts::TFormHstoView hsto(dm);
    entries::TFormFinEdit editor(dm, session, &cta, &hsto);
    dm.TbFin->setIndexName("");
    dm.TbFin->findKey({4});
    dm.TbFin->edit();
    editor.setWindowTitle("Controle Financeiro - Editar/Alterar Lançamento");
    editor.setEditable(true);
    editor.show();
    save(&editor, out + "/finedit.png");
    auto *valor = editor.findChild<QLineEdit *>("EditValor");
    valor->setFocus();
    QTest::qWait(50);
    QTest::keyClick(valor, '+');
    save(&editor, out + "/finedit-calc.png");
    editor.reject();

    // The largest amount an entry may hold, as the editor shows it.
    dm.TbFin->findKey({4});
    dm.TbFin->edit();
    dm.TbFin->setValue("Valor", qlonglong(app::kMaxAmountCentavos));
    editor.show();
    save(&editor, out + "/finedit-large.png");
    editor.reject();

    dm.TbFin->append();
    dm.TbFin->setValue("Confirmado", true);
    editor.setWindowTitle("Controle Financeiro - Incluir Novo Lançamento");
    editor.show();
    save(&editor, out + "/finedit-new.png");
    editor.reject();

    dm.TbUser->edit();
    dm.TbUser->setValue("FechadoAte", QDate(2024, 3, 2));
    dm.TbUser->post();
    dm.TbFin->findKey({3});
    dm.TbFin->edit();
    editor.setWindowTitle("Lançamento não pode ser alterado. Período até 02/03/2024 fechado!");
    editor.setEditable(false);
    editor.show();
    save(&editor, out + "/finedit-viewonly.png");
    editor.reject();
    return 0;
}
