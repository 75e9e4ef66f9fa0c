#pragma once

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QDialog;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;
class QWidget;

// Lets the user pick a folder from a directory tree, optionally with one extra push
// button (the data-directory choice uses it for "New directory"). A dialog of our own
// rather than the platform's file dialog, so that it can carry that button.
class TBrowseFolder : public QObject
{
    Q_OBJECT

public:
    enum Flag {
        OnlyFileSystemFolders = 0x1,
        StatusText = 0x2,
    };
    Q_DECLARE_FLAGS(Flags, Flag)

    // Called when the extra button is pressed, with the browser and its dialog; the
    // handler may read selectedFolder() and close the dialog with confirm().
    using CustomButtonHandler = std::function<void(TBrowseFolder &browser, QDialog *dialog)>;

    static constexpr int StatusWidth = 35;
    static constexpr int DefaultButtonWidth = 75;

    // The dialog is owned by owner, or by the active window when there is none.
    explicit TBrowseFolder(QWidget *owner = nullptr);
    ~TBrowseFolder() override;

    // Preselected when the dialog opens; the chosen folder after a confirmed dialog.
    QString directory() const { return m_directory; }
    void setDirectory(const QString &directory) { m_directory = directory; }
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    Flags flags() const { return m_flags; }
    void setFlags(Flags flags) { m_flags = flags; }
    bool showPathInStatusArea() const { return m_showPath; }
    void setShowPathInStatusArea(bool on) { m_showPath = on; }

    bool customButtonVisible() const { return m_customVisible; }
    void setCustomButtonVisible(bool on) { m_customVisible = on; }
    QString customButtonCaption() const { return m_customCaption; }
    void setCustomButtonCaption(const QString &caption) { m_customCaption = caption; }
    // 0 or less means DefaultButtonWidth.
    int customButtonWidth() const { return m_customWidth; }
    void setCustomButtonWidth(int width) { m_customWidth = width; }
    bool customButtonEnabled() const { return m_customEnabled; }
    void setCustomButtonEnabled(bool on);
    // Keeps the extra button in the row of the dialog's own buttons.
    bool syncCustomButton() const { return m_syncCustom; }
    void setSyncCustomButton(bool on) { m_syncCustom = on; }
    void setOnCustomButtonClick(CustomButtonHandler handler) { m_onCustom = std::move(handler); }

    // Shows the dialog modally. True when the user confirmed a folder, which is then in
    // directory(); false on cancel, leaving directory() as it was.
    bool execute();

    // While the dialog is shown: the folder selected in the tree (empty when none).
    QString selectedFolder() const;
    // While the dialog is shown: closes it as if the user had confirmed this folder.
    void confirm(const QString &folder);

    // The path as the status line shows it: longer than width, the second element
    // becomes "..." and the elements after it go, first to last, until it fits or only
    // the first element, "..." and the last remain.
    static QString shortenPath(const QString &path, int width = StatusWidth);

private:
    void selectionChanged();
    void preselect();

    QPointer<QWidget> m_owner;
    QString m_directory;
    QString m_title;
    Flags m_flags = Flags(OnlyFileSystemFolders | StatusText);
    bool m_showPath = false;
    bool m_customVisible = false;
    QString m_customCaption;
    int m_customWidth = DefaultButtonWidth;
    bool m_customEnabled = true;
    bool m_syncCustom = false;
    CustomButtonHandler m_onCustom;

    // Alive only while execute() runs.
    QDialog *m_dialog = nullptr;
    QFileSystemModel *m_model = nullptr;
    QTreeView *m_tree = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_customButton = nullptr;
    QString m_confirmed;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TBrowseFolder::Flags)
