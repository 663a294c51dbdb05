// The account look-up pop-up: a borderless list of the chart, filtered to the groups the caller
// allows, shown modally next to the caller's account field. Created once and reused.
#pragma once

#include <QDialog>

namespace data {
class TDM;
}

namespace accounts {

class TFormCtaView : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCtaView(data::TDM &dm, QWidget *parent = nullptr);
    ~TFormCtaView() override;

    // Set by the caller before showing: a filter over TbCta (one of the program's fixed texts,
    // such as "(CodCta<'1')"), the code to start on, and Tag = 0.
    QString FiltroCta;
    QString CodCtaIni;
    int Tag = 0;

    // Shows the pop-up modally with its top-left corner at `screenPos`. On return, Tag is 1 when
    // the user chose an account, which is then the current record of TbCta. The caller switches
    // TbCta's filter off afterwards.
    void showAt(const QPoint &screenPos);

private:
    struct Private;
    Private *d;
};

} // namespace accounts
