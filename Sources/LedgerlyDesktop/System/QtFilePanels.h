#pragma once

#include "LedgerlyCore/Platform/FilePanels.h"

#include <QStringList>

class QFileDialog;
class QWidget;

namespace ledgerly {

// Open and save panels on QFileDialog. Qt's own dialog is used everywhere so
// that the save panel's message has a place and every desktop gets the same panel.
class QtFilePanels final : public FilePanels {
public:
    std::optional<std::filesystem::path> runOpenPanel(const OpenPanelOptions& options) override;
    std::optional<std::filesystem::path> runSavePanel(const SavePanelOptions& options) override;

    // Name filters for `types`: one filter accepting all of them first, then one per type.
    static QStringList nameFilters(const std::vector<ContentType>& types);
    // Sets `dialog` up as the open panel `options` describes.
    static void configureOpenDialog(QFileDialog& dialog, const OpenPanelOptions& options);
    // Sets `dialog` up as the save panel `options` describes.
    static void configureSaveDialog(QFileDialog& dialog, const SavePanelOptions& options);

private:
    static std::optional<std::filesystem::path> run(QFileDialog& dialog);
};

}  // namespace ledgerly
