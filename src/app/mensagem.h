// Mensagem, the program's own message box, and the placement rule shared by the dialogs that
// open over the main window. Tests answer the box through a responder instead of a screen.
#pragma once

#include <QPoint>
#include <QString>

#include <functional>

class QWidget;

namespace app {

enum class MsgButton { Ok, Yes, No };

// kind 0: OK; kind 1: Yes/No, Yes the default; kind 2: Yes/No, No the default; other kinds as 0.
// A non-empty `detail` (technical text: an engine's words, a statement) adds a "Detalhes" button
// that shows it below the text; the text itself stays what the user reads first. A text too wide
// for the screen is wrapped.
MsgButton Mensagem(const QString &text, int kind = 0, const QString &detail = {});

// While set, Mensagem calls it instead of showing the box and returns its answer (tests).
using MensagemResponder = std::function<MsgButton(const QString &text, int kind)>;
void setMensagemResponder(MensagemResponder responder);
// The same with the detail; while set it is used instead of the responder above.
using MensagemDetailResponder =
    std::function<MsgButton(const QString &text, int kind, const QString &detail)>;
void setMensagemDetailResponder(MensagemDetailResponder responder);

// The main window, for the +68/-19 placement of dialogs and message boxes.
void setMainWindow(QWidget *w);
QWidget *mainWindow();
// Centres `dialog` over `over` (the active window when null); over the main window it is moved a
// further `shift` (68 pixels right and 19 up unless told) so it covers the working area, not the
// button column.
void placeDialog(QWidget *dialog, QWidget *over = nullptr, QPoint shift = QPoint(68, -19));
// Places a screen opened from a feature command: 5 pixels below the main window's top edge, its
// right edge 4 pixels inside the main window's right edge. Without a main window it is centred
// on the screen.
void placeBesideMainWindow(QWidget *screen);

} // namespace app
