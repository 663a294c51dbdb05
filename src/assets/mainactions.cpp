#include "mainactions.h"

#include "assetspage.h"

#include <app/application.h>
#include <app/error.h>
#include <app/mainactions.h>
#include <entries/period.h>
#include <entries/session.h>

#include <QAction>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace assets {

AssetsPage *setupMainActions(const app::MainActions &main, data::TDM &dm,
                             std::function<entries::Session *()> session, QTabWidget *pages,
                             QWidget *tab)
{
    const auto period = [session]() -> std::pair<QDate, QDate> {
        const entries::Session *s = session();
        if (!s)
            return {};
        return {s->period().DtIni, s->period().DtFim};
    };
    PageActions a;
    a.ActionIncluirBem = main.ActionIncluirBem;
    a.ActionEditarBem = main.ActionEditarBem;
    a.ActionExcluirBem = main.ActionExcluirBem;
    a.ActionReplicarBem = main.ActionReplicarBem;
    a.ActionLocalizarBem = main.ActionLocalizarBem;
    a.ActionCategorias = main.ActionCategorias;
    a.ActionOqueeControleDeBens = main.ActionOqueeControleDeBens;
    auto *page = new AssetsPage(dm, period, a, tab);
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);

    QObject::connect(pages, &QTabWidget::currentChanged, page, [page, pages, tab](int) {
        if (pages->currentWidget() == tab)
            app::guarded([page] { page->entered(); });
        else
            page->left();
    });
    // Each command first makes the assets page the current one.
    const auto wire = [&](QAction *action, std::function<void(AssetsPage *)> run) {
        if (!action)
            return;
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, page, [=] {
            app::guarded([&] {
                if (!session())
                    return;
                pages->setCurrentWidget(tab);
                run(page);
            });
        });
    };
    wire(main.ActionIrParaBens, [](AssetsPage *p) { p->grid()->setFocus(); });
    wire(main.ActionIncluirBem, &AssetsPage::ActionIncluirBemExecute);
    wire(main.ActionEditarBem, &AssetsPage::ActionEditarBemExecute);
    wire(main.ActionExcluirBem, &AssetsPage::ActionExcluirBemExecute);
    wire(main.ActionReplicarBem, &AssetsPage::ActionReplicarBemExecute);
    wire(main.ActionLocalizarBem, [](AssetsPage *p) { p->ActionLocalizarBemExecute(); });
    wire(main.ActionCategorias, &AssetsPage::ActionCategoriasExecute);
    if (main.ActionOqueeControleDeBens)
        main.ActionOqueeControleDeBens->setEnabled(true);
    return page;
}

} // namespace assets
