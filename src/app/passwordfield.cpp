#include "passwordfield.h"

#include "keyfilters.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>

namespace app {

namespace {

// The platform styles mask with a bullet ("●"); our passwords show as "*". QLineEdit asks its
// style for the mask character, so the fields get a style that answers '*' and defers the rest
// to the application's style. A style sheet on the field (the disabled colour) wraps this style
// and still defers the hint to it.
class PasswordStyle : public QProxyStyle
{
public:
    PasswordStyle() : QProxyStyle(QApplication::style()->name()) {}
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

QStyle *passwordStyle()
{
    // One instance for every field, owned by the application.
    static QPointer<QStyle> style;
    if (!style) {
        style = new PasswordStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void makePasswordField(QLineEdit *field)
{
    field->setStyle(passwordStyle());
    field->setEchoMode(QLineEdit::Password);
    field->setValidator(lettersAndDigits(field));
}

} // namespace app
