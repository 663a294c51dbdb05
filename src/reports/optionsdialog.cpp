#include "optionsdialog.h"

#include <app/mensagem.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace reports {

namespace {

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(name);
    return w;
}

} // namespace

OptionsDialog::OptionsDialog(QPrinter &printer, QWidget *parent)
    : QDialog(parent), m_printer(printer)
{
    setObjectName("OptionsDialog");
    setWindowTitle("Opções de Impressão");
    setWindowModality(Qt::WindowModal);

    auto *destination = new QGroupBox("Destino do Relatório", this);
    m_preview = named(new QRadioButton("&Visualizar na tela", destination), "RadioPreview");
    m_printerOut = named(new QRadioButton("&Impressora", destination), "RadioPrinter");
    m_file = named(new QRadioButton("&Arquivo", destination), "RadioFile");
    m_fileFormat = named(new QComboBox(destination), "ComboFileFormat");
    m_fileFormat->addItem("Adobe Acrobat (PDF)", "*.PDF");
    m_fileFormat->setAccessibleName("Formato do arquivo");
    auto *destLayout = new QGridLayout(destination);
    destLayout->addWidget(m_preview, 0, 0);
    destLayout->addWidget(m_printerOut, 1, 0);
    destLayout->addWidget(m_file, 2, 0);
    destLayout->addWidget(m_fileFormat, 2, 1);
    destLayout->setColumnStretch(1, 1);

    auto *copiesBox = new QGroupBox("Cópias", this);
    m_copies = named(new QSpinBox(copiesBox), "EditCopias");
    m_copies->setRange(1, 999);
    auto *copiesLabel = new QLabel("&Número de cópias:", copiesBox);
    copiesLabel->setBuddy(m_copies);
    m_collate = named(new QCheckBox("A&grupar cópias", copiesBox), "CheckCollate");
    m_duplex = named(new QCheckBox("&Frente e verso", copiesBox), "CheckDuplex");
    auto *copiesLayout = new QGridLayout(copiesBox);
    copiesLayout->addWidget(copiesLabel, 0, 0);
    copiesLayout->addWidget(m_copies, 0, 1);
    copiesLayout->addWidget(m_collate, 1, 0, 1, 2);
    copiesLayout->addWidget(m_duplex, 2, 0, 1, 2);

    auto *buttons = new QDialogButtonBox(this);
    m_setup = named(buttons->addButton("&Configurar Impressora...", QDialogButtonBox::ActionRole),
                    "BtSetup");
    named(buttons->addButton("OK", QDialogButtonBox::AcceptRole), "BtOk")->setDefault(true);
    named(buttons->addButton("Cancelar", QDialogButtonBox::RejectRole), "BtCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_setup, &QPushButton::clicked, this, &OptionsDialog::setupPrinter);
    for (auto *radio : {m_preview, m_printerOut, m_file})
        connect(radio, &QRadioButton::toggled, this, &OptionsDialog::updateEnabled);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(destination);
    layout->addWidget(copiesBox);
    layout->addWidget(buttons);

    setOptions({});
    app::placeDialog(this, parent);
}

OutputOptions OptionsDialog::options() const
{
    OutputOptions o;
    o.destination = m_file->isChecked()         ? Destination::File
                    : m_printerOut->isChecked() ? Destination::Printer
                                                : Destination::Preview;
    o.copies = m_copies->value();
    o.collate = m_collate->isChecked();
    o.duplex = m_duplex->isChecked();
    return o;
}

void OptionsDialog::setOptions(const OutputOptions &o)
{
    m_preview->setChecked(o.destination == Destination::Preview);
    m_printerOut->setChecked(o.destination == Destination::Printer);
    m_file->setChecked(o.destination == Destination::File);
    m_copies->setValue(o.copies);
    m_collate->setChecked(o.collate);
    m_duplex->setChecked(o.duplex);
    updateEnabled();
}

// Qt's printer dialog edits the same printer; what it chose for copies, collation and duplex
// comes back into this dialog, which stays the one place the job takes them from.
void OptionsDialog::setupPrinter()
{
    m_printer.setCopyCount(m_copies->value());
    m_printer.setCollateCopies(m_collate->isChecked());
    m_printer.setDuplex(m_duplex->isChecked() ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
    QPrintDialog dialog(&m_printer, this);
    dialog.setWindowTitle("Configurar Impressora");
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_copies->setValue(m_printer.copyCount());
    m_collate->setChecked(m_printer.collateCopies());
    m_duplex->setChecked(m_printer.duplex() != QPrinter::DuplexNone);
}

void OptionsDialog::updateEnabled()
{
    m_fileFormat->setEnabled(m_file->isChecked());
}

} // namespace reports
