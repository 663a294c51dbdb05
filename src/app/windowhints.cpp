#include "windowhints.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#if __has_include(<xcb/xcb.h>) && QT_CONFIG(xcb)
#define QUORVILA_HAVE_XCB 1
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace app {

#ifdef QUORVILA_HAVE_XCB
namespace {

// The _MOTIF_WM_HINTS property: what the window manager may offer (functions) and draw
// (decorations).
struct MotifHints
{
    quint32 flags, functions, decorations;
    qint32 inputMode;
    quint32 status;
};
constexpr quint32 kHintsFunctions = 1, kHintsDecorations = 2;
constexpr quint32 kFuncMove = 4;
constexpr quint32 kDecorBorder = 2, kDecorTitle = 8;

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t motifAtom(xcb_connection_t *c)
{
    static const char name[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    if (!r)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = r->atom;
    std::free(r);
    return atom;
}

void writeHints(QWidget *w)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const xcb_atom_t atom = motifAtom(c);
    if (atom == XCB_ATOM_NONE)
        return;
    const MotifHints h{kHintsFunctions | kHintsDecorations, kFuncMove, kDecorBorder | kDecorTitle,
                       0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(w->winId()), atom, atom, 32, 5, &h);
    xcb_flush(c);
}

// Qt writes its own hints when it creates the native window; the show event comes after that
// and before the window is mapped, which is when the window manager reads them.
class HintsOnShow : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            writeHints(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace
#endif

void withoutCloseBox(QWidget *w)
{
#ifdef QUORVILA_HAVE_XCB
    w->installEventFilter(new HintsOnShow(w));
#else
    (void)w;
#endif
}

long motifFunctionsOf(QWidget *w)
{
#ifdef QUORVILA_HAVE_XCB
    xcb_connection_t *c = connection();
    if (!c || !w->testAttribute(Qt::WA_WState_Created))
        return -1;
    const xcb_atom_t atom = motifAtom(c);
    xcb_get_property_reply_t *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb_window_t(w->winId()), atom, atom, 0, 5), nullptr);
    if (!r)
        return -1;
    long functions = -1;
    if (xcb_get_property_value_length(r) >= int(sizeof(MotifHints))) {
        const auto *h = static_cast<const MotifHints *>(xcb_get_property_value(r));
        if (h->flags & kHintsFunctions)
            functions = long(h->functions);
    }
    std::free(r);
    return functions;
#else
    (void)w;
    return -1;
#endif
}

} // namespace app
