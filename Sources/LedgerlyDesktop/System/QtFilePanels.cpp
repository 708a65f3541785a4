#include "LedgerlyDesktop/System/QtFilePanels.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QStandardPaths>

namespace ledgerly {
namespace {

struct TypeFilter {
    QString name;
    QStringList patterns;
};

TypeFilter filterFor(const ContentType& type) {
    if (std::holds_alternative<ContentType::PlainText>(type.value)) {
        return {QStringLiteral("Plain text"), {QStringLiteral("*.txt"), QStringLiteral("*.text")}};
    }
    const QString extension = QString::fromStdString(std::get<ContentType::FilenameExtension>(type.value).extension);
    return {extension.toUpper() + QStringLiteral(" files"), {QStringLiteral("*.") + extension}};
}

QString filterText(const TypeFilter& filter) {
    return filter.name + QStringLiteral(" (") + filter.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString firstExtension(const std::vector<ContentType>& types) {
    for (const auto& type : types) {
        if (const auto* named = std::get_if<ContentType::FilenameExtension>(&type.value)) {
            return QString::fromStdString(named->extension);
        }
    }
    return {};
}

// Qt's dialog has no message line; it goes below the controls.
void addMessage(QFileDialog& dialog, const QString& message) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (message.isEmpty() || grid == nullptr) {
        return;
    }
    auto* label = new QLabel(message, &dialog);
    label->setObjectName(QStringLiteral("ledgerlyPanelMessage"));
    label->setWordWrap(true);
    grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
}

// Where panels open: the process's folder (Qt's default) is wherever the session started us.
QString startFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

QStringList QtFilePanels::nameFilters(const std::vector<ContentType>& types) {
    if (types.empty()) {
        return {};
    }
    QStringList filters;
    TypeFilter all{QStringLiteral("Markdown and text files"), {}};
    for (const auto& type : types) {
        const TypeFilter filter = filterFor(type);
        all.patterns << filter.patterns;
        filters << filterText(filter);
    }
    all.patterns.removeDuplicates();
    if (types.size() > 1) {
        filters.prepend(filterText(all));
    }
    return filters;
}

void QtFilePanels::configureOpenDialog(QFileDialog& dialog, const OpenPanelOptions& options) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const bool onlyFolders = options.canChooseDirectories && !options.canChooseFiles;
    dialog.setFileMode(onlyFolders                       ? QFileDialog::Directory
                       : options.allowsMultipleSelection ? QFileDialog::ExistingFiles
                                                         : QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters(options.allowedContentTypes));
    if (!options.prompt.empty()) {
        dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(options.prompt));
    }
}

void QtFilePanels::configureSaveDialog(QFileDialog& dialog, const SavePanelOptions& options) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // ReadOnly is what hides "Create New Folder" in Qt's dialog.
    dialog.setOption(QFileDialog::ReadOnly, !options.canCreateDirectories);
    dialog.setNameFilters(nameFilters(options.allowedContentTypes));
    dialog.setDefaultSuffix(firstExtension(options.allowedContentTypes));
    dialog.setWindowTitle(QString::fromStdString(options.title));
    if (!options.prompt.empty()) {
        dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(options.prompt));
    }
    dialog.selectFile(QString::fromStdString(options.nameFieldStringValue));
    addMessage(dialog, QString::fromStdString(options.message));
}

std::optional<std::filesystem::path> QtFilePanels::run(QFileDialog& dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    // A tray application owns no active window; without this the panel opens behind others.
    dialog.raise();
    dialog.activateWindow();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

std::optional<std::filesystem::path> QtFilePanels::runOpenPanel(const OpenPanelOptions& options) {
    QFileDialog dialog(nullptr, QString(), startFolder());
    configureOpenDialog(dialog, options);
    return run(dialog);
}

std::optional<std::filesystem::path> QtFilePanels::runSavePanel(const SavePanelOptions& options) {
    QFileDialog dialog(nullptr, QString(), startFolder());
    configureSaveDialog(dialog, options);
    return run(dialog);
}

}  // namespace ledgerly
