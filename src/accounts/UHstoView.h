// The standard-history look-up pop-up: a borderless grid of the user's histories, shown modally
// below the caller's history field. Created once and reused.
#pragma once

#include <QDialog>

namespace data {
class TDM;
}

namespace accounts {

class TFormHstoView : public QDialog
{
    Q_OBJECT
public:
    explicit TFormHstoView(data::TDM &dm, QWidget *parent = nullptr);
    ~TFormHstoView() override;

    // Set to 0 by the caller; 1 on return when the user chose a history, which is then the
    // current record of TbHsto.
    int Tag = 0;

    // Shows the pop-up modally with its top-left corner at `screenPos`.
    void showAt(const QPoint &screenPos);

private:
    struct Private;
    Private *d;
};

} // namespace accounts
