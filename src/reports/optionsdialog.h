// "Opções de Impressão": where a report goes (preview, printer or a PDF file) and how the printer
// prints it (copies, collation, duplex), with the printer's own set-up a button away. It edits
// the QPrinter it is given, so the printer chosen in the set-up is the one the job uses.
#pragma once

#include "outputoptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace reports {

class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    OptionsDialog(QPrinter &printer, QWidget *parent = nullptr);

    // What the user chose; meaningful once the dialog was accepted.
    OutputOptions options() const;
    void setOptions(const OutputOptions &options);

private:
    void setupPrinter();
    void updateEnabled();

    QPrinter &m_printer;
    QRadioButton *m_preview;
    QRadioButton *m_printerOut;
    QRadioButton *m_file;
    QComboBox *m_fileFormat;
    QSpinBox *m_copies;
    QCheckBox *m_collate;
    QCheckBox *m_duplex;
    QPushButton *m_setup;
};

} // namespace reports
