#pragma once

#include "catalogs/SearchCriteria.h"

#include <QDialog>

#include <memory>

class Messages;
class NationalFormats;
class QLineEdit;
class QRadioButton;

namespace Ui {
class TSrchDlg;
}

// "Cauta...": the criteria of a document search.
class TSrchDlg : public QDialog
{
    Q_OBJECT
public:
    // `serialsOn` is the parameter "CSerii".
    TSrchDlg(const SearchCriteria &criteria, bool serialsOn, Messages &messages,
             const NationalFormats &formats, QWidget *parent = nullptr);
    ~TSrchDlg() override;

    // On "&Start" with a valid value writes the chosen kind and only its value back.
    static bool execute(SearchCriteria &criteria, bool serialsOn, Messages &messages,
                        const NationalFormats &formats, QWidget *parent = nullptr);

    const SearchCriteria &criteria() const { return m_criteria; }
    int chosenKind() const;
    void choose(int kind);
    QLineEdit *edit(int kind) const;
    // "&Start": false (the dialog stays) when a number is expected and not given.
    bool StartBtnClick();

private:
    QRadioButton *radio(int kind) const;
    void numberEdited(const QString &text);

    std::unique_ptr<Ui::TSrchDlg> ui;
    SearchCriteria m_criteria;
    Messages &m_messages;
    const NationalFormats &m_formats;
};
