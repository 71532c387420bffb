#pragma once
#include "pickers/ActivatingDialog.h"

class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

// Picks the folder that a backup goes into: the mounted volumes above a tree of their folders, opening
// at the home folder or the folder its opener sets, selected and scrolled into view. "选择" hands back the
// folder joined with the copy's file name in tag() and hides the window; closed any other way, tag() stays as
// it was (empty for a new window).
class frmFilePathShow : public ActivatingDialog {
    Q_OBJECT
public:
    explicit frmFilePathShow(QWidget* parent = nullptr);

    const QString& tag() const { return m_tag; }

    QComboBox* Drive1() const { return m_drive1; }
    QTreeView* Dir1() const { return m_dir1; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

    // The folder the tree has selected; the volume's root when none is.
    QString path() const;
    // Selects a folder in the tree, switching the volume list to the volume holding it.
    void setPath(const QString& folder);

    // A folder and a file name joined by one "/", also when the folder ends in a separator (a root).
    static QString joinPath(const QString& folder, const QString& fileName);

public slots:
    void Drive1_Change();
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Scrolls the selected folder to the middle of the tree.
    void revealSelected();
    // revealSelected while the user has not moved in the tree since the folder was set.
    void keepSelectedInView();

    QComboBox* m_drive1;
    QFileSystemModel* m_folders;
    QTreeView* m_dir1;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
    QString m_tag;
    bool m_followSelected = false;
};
