#include "LedgerlyDesktop/QtApplication.h"
#include "LedgerlyDesktop/Shortcut/ModifierFlags.h"
#include "LedgerlyDesktop/System/DisplayAvailability.h"
#include "LedgerlyDesktop/System/InstalledBundleResources.h"
#include "LedgerlyDesktop/System/QtAlertPresenter.h"
#include "LedgerlyDesktop/System/QtFilePanels.h"
#include "LedgerlyDesktop/System/QtPasteboard.h"
#include "LedgerlyDesktop/System/QtWorkspace.h"

#include "LedgerlyCore/Version.h"
#include "QtPaths.h"
#include "Support/TempDirectory.h"
#include "UrlRecorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

TEST(ModifierFlagsMapping, EachQtModifierHasItsRawBit) {
    EXPECT_EQ(0x20000u, modifierFlagsFromQt(Qt::ShiftModifier));
    EXPECT_EQ(0x40000u, modifierFlagsFromQt(Qt::ControlModifier));
    EXPECT_EQ(0x80000u, modifierFlagsFromQt(Qt::AltModifier));
    EXPECT_EQ(0x100000u, modifierFlagsFromQt(Qt::MetaModifier));
    EXPECT_EQ(0x1E0000u, modifierFlagsFromQt(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                             Qt::MetaModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier));
}

TEST(ModifierFlagsMapping, RawBitsGoBackToQtAndUnknownBitsAreDropped) {
    EXPECT_EQ(Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier),
              qtModifiersFromFlags(0x1C0000 | 0x10000 | 0x800000));
    EXPECT_EQ(Qt::KeyboardModifiers(Qt::NoModifier), qtModifiersFromFlags(0));
}

TEST(QtPasteboardTests, ReplacesEveryFormatWithThePlainText) {
    auto* rich = new QMimeData;
    rich->setHtml("<b>old</b>");
    rich->setText("old");
    QGuiApplication::clipboard()->setMimeData(rich);
    QtPasteboard pasteboard;
    pasteboard.setString("Grüße, 👋🏽 x");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(QString::fromUtf8("Grüße, 👋🏽 x"), data->text());
    EXPECT_FALSE(data->hasHtml());
}

TEST(QtWorkspaceTests, OpensAValidURLThroughTheDesktopHandler) {
    UrlRecorder recorder("ledgerly-test");
    QtWorkspace workspace(QDBusConnection(QStringLiteral("ledgerly-not-connected")));
    workspace.openURL("ledgerly-test://host/a%20b?q=1");
    ASSERT_EQ(1, recorder.urls().size());
    EXPECT_EQ(QString("ledgerly-test://host/a%20b?q=1"), recorder.urls().front().toString(QUrl::FullyEncoded));
}

TEST(QtWorkspaceTests, IgnoresTextThatIsNoURL) {
    UrlRecorder recorder("ledgerly-test");
    QtWorkspace workspace(QDBusConnection(QStringLiteral("ledgerly-not-connected")));
    workspace.openURL("ledgerly-test://host/a b%zz");
    EXPECT_TRUE(recorder.urls().isEmpty());
}

TEST(QtWorkspaceTests, RevealWithoutAFileManagerOpensTheContainingFolder) {
    UrlRecorder recorder("file");
    QtWorkspace workspace(QDBusConnection(QStringLiteral("ledgerly-not-connected")));
    workspace.revealInFileManager("/home/ann/Notes/Links.md");
    ASSERT_EQ(1, recorder.urls().size());
    EXPECT_EQ(QString("/home/ann/Notes"), recorder.urls().front().toLocalFile());
}

TEST(QtFilePanelsFilters, OneFilterForAllTypesThenOnePerType) {
    const std::vector<ContentType> types = {{ContentType::FilenameExtension{"md"}},
                                            {ContentType::FilenameExtension{"markdown"}},
                                            {ContentType::PlainText{}}};
    EXPECT_EQ((QStringList{"Markdown and text files (*.md *.markdown *.txt *.text)", "MD files (*.md)",
                           "MARKDOWN files (*.markdown)", "Plain text (*.txt *.text)"}),
              QtFilePanels::nameFilters(types));
    EXPECT_EQ((QStringList{"Plain text (*.txt *.text)"}), QtFilePanels::nameFilters({{ContentType::PlainText{}}}));
    EXPECT_TRUE(QtFilePanels::nameFilters({}).isEmpty());
}

TEST(QtFilePanelsSave, DialogCarriesTitleMessagePromptAndSuggestedName) {
    TempDirectory folder;
    SavePanelOptions options;
    options.allowedContentTypes = {{ContentType::FilenameExtension{"md"}}, {ContentType::PlainText{}}};
    options.canCreateDirectories = true;
    options.nameFieldStringValue = "starter.ledgerly.md";
    options.title = "Save Starter File";
    options.message = "Save Ledgerly's starter Markdown file somewhere you own.";
    options.prompt = "Save";
    QFileDialog dialog(nullptr, QString(), qtPath(folder.path()));
    QtFilePanels::configureSaveDialog(dialog, options);
    EXPECT_EQ(QString("Save Starter File"), dialog.windowTitle());
    EXPECT_EQ(QString("Save"), dialog.labelText(QFileDialog::Accept));
    EXPECT_EQ(QFileDialog::AcceptSave, dialog.acceptMode());
    EXPECT_FALSE(dialog.testOption(QFileDialog::ReadOnly));
    EXPECT_EQ(QString("md"), dialog.defaultSuffix());
    ASSERT_EQ(1, dialog.selectedFiles().size());
    EXPECT_EQ(qtPath(folder.file("starter.ledgerly.md")), dialog.selectedFiles().front());
    const auto* message = dialog.findChild<QLabel*>("ledgerlyPanelMessage");
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(QString("Save Ledgerly's starter Markdown file somewhere you own."), message->text());
}

TEST(QtFilePanelsOpen, DialogPicksOneExistingFileWithThePrompt) {
    OpenPanelOptions options;
    options.allowedContentTypes = {{ContentType::PlainText{}}, {ContentType::FilenameExtension{"md"}}};
    options.prompt = "Choose";
    QFileDialog dialog;
    QtFilePanels::configureOpenDialog(dialog, options);
    EXPECT_EQ(QString("Choose"), dialog.labelText(QFileDialog::Accept));
    EXPECT_EQ(QFileDialog::ExistingFile, dialog.fileMode());
    EXPECT_EQ(QFileDialog::AcceptOpen, dialog.acceptMode());
    EXPECT_EQ(QString("Markdown and text files (*.txt *.text *.md)"), dialog.nameFilters().front());
}

TEST(QtFilePanelsRun, AcceptedSavePanelGivesTheChosenPathAndCancelGivesNone) {
    SavePanelOptions options;
    options.nameFieldStringValue = "mine.md";
    options.title = "Save Starter File";
    QtFilePanels panels;
    const auto answer = [](bool accept) {
        QTimer::singleShot(0, [accept] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, dialog);
            accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
    };
    answer(true);
    const auto saved = panels.runSavePanel(options);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ("mine.md", saved->filename().string());
    // Panels open in the user's folders, not wherever the process was started.
    EXPECT_TRUE(QString::fromStdString(saved->string()).startsWith(QDir::homePath())) << saved->string();
    answer(false);
    EXPECT_EQ(std::nullopt, panels.runSavePanel(options));
}

TEST(QtAlertPresenterTests, WarningWithTheTextsAndOneOKButton) {
    QMessageBox box;
    QtAlertPresenter::configure(box, "Could not save starter file.", "Permission denied");
    EXPECT_EQ(QMessageBox::Warning, box.icon());
    EXPECT_EQ(QString("Could not save starter file."), box.text());
    EXPECT_EQ(QString("Permission denied"), box.informativeText());
    ASSERT_EQ(1, box.buttons().size());
    EXPECT_EQ(QString("OK"), box.buttons().front()->text());
}

TEST(QtApplicationTests, AboutTextNamesTheVersion) {
    const QString text = QtApplication::aboutText();
    EXPECT_TRUE(text.contains("Ledgerly"));
    EXPECT_TRUE(text.contains(QString("Version ") + versionString()));
}

TEST(QtApplicationTests, TerminateEndsTheEventLoop) {
    QtApplication application;
    QTimer::singleShot(0, [&application] { application.terminate(); });
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    failsafe.start(5000);
    EXPECT_EQ(0, QCoreApplication::exec());
}

TEST(InstalledBundleResourcesTests, FirstFolderHoldingTheFileWins) {
    TempDirectory folder;
    folder.writeFile("share/ledgerly/starter.md", "installed");
    folder.writeFile("Resources/starter.ledgerly.md", "build tree");
    folder.writeFile("Resources/starter.md", "build tree");
    InstalledBundleResources resources({qtPath(folder.file("share/ledgerly")), qtPath(folder.file("Resources"))});
    EXPECT_EQ(folder.file("Resources/starter.ledgerly.md").string(),
              resources.pathForResource("starter", "ledgerly.md")->string());
    EXPECT_EQ(folder.file("share/ledgerly/starter.md").string(), resources.pathForResource("starter", "md")->string());
    EXPECT_EQ(std::nullopt, resources.pathForResource("missing", "md"));
}

TEST(InstalledBundleResourcesTests, AFolderIsNoResource) {
    TempDirectory folder;
    folder.writeFile("share/ledgerly/starter.md/inside", "x");
    InstalledBundleResources resources({qtPath(folder.file("share/ledgerly"))});
    EXPECT_EQ(std::nullopt, resources.pathForResource("starter", "md"));
}

TEST(InstalledBundleResourcesTests, DefaultFoldersSitBesideTheExecutableFolder) {
    EXPECT_EQ((QStringList{"/opt/led/share/ledgerly", "/opt/led/Resources"}),
              InstalledBundleResources::defaultSearchFolders("/opt/led/bin"));
}

QProcessEnvironment environmentWith(std::initializer_list<std::pair<const char*, const char*>> variables) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : variables) {
        environment.insert(name, value);
    }
    return environment;
}

TEST(DisplayAvailabilityTests, NoSessionVariablesMeansNoDisplay) {
    EXPECT_FALSE(hasDisplay(environmentWith({{"HOME", "/home/ann"}})));
    EXPECT_TRUE(hasDisplay(environmentWith({{"WAYLAND_DISPLAY", "wayland-0"}})));
    EXPECT_TRUE(hasDisplay(environmentWith({{"QT_QPA_PLATFORM", "offscreen"}})));
}

TEST(DisplayAvailabilityTests, UnreachableXServerIsNoDisplay) {
    EXPECT_FALSE(hasDisplay(environmentWith({{"DISPLAY", ":4321"}})));
}

TEST(DisplayAvailabilityTests, WaylandSessionsGetANativeWaylandClient) {
    EXPECT_EQ(QByteArray("wayland;xcb"),
              preferredQtPlatform(environmentWith({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}})));
    EXPECT_EQ(QByteArray("wayland"), preferredQtPlatform(environmentWith({{"WAYLAND_DISPLAY", "wayland-0"}})));
    EXPECT_TRUE(preferredQtPlatform(environmentWith({{"DISPLAY", ":0"}})).isEmpty());
    EXPECT_TRUE(
        preferredQtPlatform(
            environmentWith({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}))
            .isEmpty());
}

}  // namespace
}  // namespace ledgerly::testing
