#include "admin/frmFilePathShow.h"
#include "core/AppInfo.h"
#include "ui/DialogButtons.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

frmFilePathShow::frmFilePathShow(QWidget* parent)
    : ActivatingDialog(parent), m_drive1(new QComboBox(this)), m_folders(new QFileSystemModel(this)),
      m_dir1(new QTreeView(this)),
      m_btnSave(DialogButtons::make(QStringLiteral("btnSave"), QStringLiteral("   选择(&S)"), this)),
      m_btnCancel(DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this)) {
    setObjectName(QStringLiteral("frmFilePathShow"));
    setWindowTitle(QStringLiteral("选择要备份数据的路径"));
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1->setObjectName(QStringLiteral("Dir1"));

    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const QString name = volume.displayName();
        m_drive1->addItem(name == root ? QDir::toNativeSeparators(root)
                                       : QDir::toNativeSeparators(root) + QStringLiteral(" [") + name +
                                             QStringLiteral("]"),
                          root);
    }

    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setReadOnly(true);
    m_folders->setRootPath(QString());
    m_dir1->setModel(m_folders);
    m_dir1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_dir1->hideColumn(column);

    auto* buttons = DialogButtons::row({m_btnSave, m_btnCancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_drive1);
    layout->addWidget(m_dir1, 1);
    layout->addLayout(buttons);
    setFixedSize(5400 / 15, 5700 / 15);

    connect(m_drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(m_dir1, &QTreeView::doubleClicked, m_dir1, &QTreeView::expand);
    // Folders are read and sorted in the background: each folder read on the way to the selected one
    // pushes it down. Until the user moves in the tree, it scrolls the selected folder back into view.
    for (const auto& changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_folders, changed, this, [this] { keepSelectedInView(); });
    connect(m_folders, &QAbstractItemModel::layoutChanged, this, [this] { keepSelectedInView(); });
    m_dir1->installEventFilter(this);
    m_dir1->viewport()->installEventFilter(this);
    connect(m_btnSave, &QPushButton::clicked, this, &frmFilePathShow::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmFilePathShow::btnCancel_Click);

    setPath(QDir::homePath());
}

QString frmFilePathShow::joinPath(const QString& folder, const QString& fileName) {
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

QString frmFilePathShow::path() const {
    const QModelIndex current = m_dir1->currentIndex();
    if (current.isValid())
        return m_folders->filePath(current);
    return m_folders->filePath(m_dir1->rootIndex());
}

void frmFilePathShow::setPath(const QString& folder) {
    const QString root = QStorageInfo(folder).rootPath();
    const int volume = m_drive1->findData(root);
    if (volume >= 0)
        m_drive1->setCurrentIndex(volume);
    m_dir1->setRootIndex(m_folders->index(root));
    const QModelIndex index = m_folders->index(QDir::cleanPath(folder));
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        m_dir1->expand(up);
    m_dir1->setCurrentIndex(index);
    m_followSelected = true;
    revealSelected();
}

bool frmFilePathShow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        m_followSelected = false;
        break;
    default:
        break;
    }
    return ActivatingDialog::eventFilter(watched, event);
}

void frmFilePathShow::keepSelectedInView() {
    if (m_followSelected)
        revealSelected();
}

void frmFilePathShow::revealSelected() {
    const QModelIndex current = m_dir1->currentIndex();
    if (current.isValid())
        m_dir1->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void frmFilePathShow::onActivate() {
    // Laid out only now: the view knows its height.
    revealSelected();
}

void frmFilePathShow::Drive1_Change() {
    const QString root = m_drive1->currentData().toString();
    const QModelIndex index = m_folders->index(root);
    m_dir1->setRootIndex(index);
    m_dir1->setCurrentIndex(QModelIndex());
    m_followSelected = false;
}

void frmFilePathShow::btnSave_Click() {
    m_tag = joinPath(path(), AppInfo::DatabaseFileName);
    accept();
}

void frmFilePathShow::btnCancel_Click() {
    reject();
}
