// "Status do Relatório": the small window that tells which page is being laid out or printed.
// It blocks the other windows while it shows and lets the screen repaint between pages, so a
// long report neither freezes the program nor lets the user start another command meanwhile.
#pragma once

#include <QDialog>

class QLabel;
class QPrinter;

namespace reports {

class Document;
struct OutputOptions;

class StatusWindow : public QDialog
{
    Q_OBJECT
public:
    explicit StatusWindow(QWidget *parent = nullptr);

    // "Processando página %p" while the report is laid out.
    void showProcessing(int page);
    // "Imprimindo página %p" while the pages go to the printer or the file.
    void showPrinting(int page);
    QString statusText() const;

private:
    void showLine(const QString &pattern, int page);
    QLabel *m_label;
};

// Prints `doc` on `printer` while a status window shows "Imprimindo página %p"; throws what
// printDocument throws, after closing the window.
void printWithStatus(const Document &doc, QPrinter &printer, const OutputOptions &options,
                     QWidget *parent);

} // namespace reports
