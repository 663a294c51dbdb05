// The Bible reader TFormBiblia ("Educação Financeira"): the fixed tree of topics on the left,
// the selected topic's page of the information base on the right, copy and save of the page.
// Created per opening, shown modally and destroyed; it remembers nothing between openings.
#pragma once

#include "infopages.h"

#include <QDialog>

class QLabel;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace data {
class TDM;
}

namespace help {

class TFormBiblia : public QDialog
{
    Q_OBJECT
public:
    // Precondition: the information base is open (dm.TbInfo).
    explicit TFormBiblia(data::TDM &dm, QWidget *parent = nullptr);

    // The code of the page shown now (1000 + the selected node's position).
    int shownCode() const { return m_code; }

protected:
    void showEvent(QShowEvent *e) override;

private:
    void createTree();
    void showTopic(QTreeWidgetItem *item);
    void copyText();
    void saveText();

    data::TDM &m_dm;
    QTreeWidget *m_tree = nullptr;
    QLabel *m_title = nullptr;
    QTextEdit *m_text = nullptr;
    int m_code = 0;
    InfoPage m_page; // the page shown; empty when the node has none
};

} // namespace help
