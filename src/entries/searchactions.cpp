#include "searchactions.h"

#include "UFinLctoFuturo.h"
#include "UFinPesq.h"
#include "session.h"

#include <app/application.h>
#include <app/error.h>
#include <app/mainactions.h>

#include <QAbstractButton>
#include <QPointer>

#include <memory>

namespace entries {

namespace {

struct Screens
{
    Session *session = nullptr; // the session the screens below belong to
    QPointer<TFormFinPesq> pesq;
    QPointer<TFormFinLctoFuturo> prox;

    void follow(Session *s)
    {
        if (s == session)
            return;
        delete pesq;
        delete prox;
        session = s;
    }
};

void afterChoice(const app::MainActions &main, const SearchCommands &c,
                 const FoundEntriesScreen &screen)
{
    if (screen.chosen())
        c.showEntry(*screen.chosen());
    main.focusPage();
}

} // namespace

void setupSearchActions(const app::MainActions &main, data::TDM &dm, SearchCommands commands)
{
    auto screens = std::make_shared<Screens>();
    QObject::connect(commands.BtPesquisar, &QAbstractButton::clicked, main.window,
                     [main, &dm, c = commands, screens] {
                         app::guarded([&] {
                             Session *s = c.session();
                             QUORVILA_SOFT_ASSERT(s, return );
                             screens->follow(s);
                             const Period &p = s->period();
                             if (!screens->pesq)
                                 screens->pesq =
                                     new TFormFinPesq(dm, p.DtIni, p.DtFim, c.ctaView, main.window);
                             screens->pesq->setPeriod(p.DtIni, p.DtFim);
                             screens->pesq->exec();
                             afterChoice(main, c, *screens->pesq);
                         });
                     });
    QObject::connect(commands.BtProximos, &QAbstractButton::clicked, main.window,
                     [main, &dm, c = commands, screens] {
                         app::guarded([&] {
                             Session *s = c.session();
                             QUORVILA_SOFT_ASSERT(s, return );
                             screens->follow(s);
                             if (!screens->prox)
                                 screens->prox = new TFormFinLctoFuturo(dm, main.window);
                             screens->prox->exec();
                             afterChoice(main, c, *screens->prox);
                         });
                     });
    commands.BtPesquisar->setEnabled(true);
    commands.BtProximos->setEnabled(true);
}

} // namespace entries
