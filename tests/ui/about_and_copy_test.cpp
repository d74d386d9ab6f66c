// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/instance_lock.h"
#include "platform/local_socket.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "store/user_registry.h"
#include "support/exec_file.h"
#include "support/single_instance.h"
#include "tests/common/drives.h"
#include "tests/common/recording_opener.h"
#include "tests/common/test_env.h"
#include "tests/ui/box_answerer.h"
#include "ui/copy_dialog.h"
#include "ui/directory_list_box.h"
#include "ui/drive_combo_box.h"
#include "ui/help_about_window.h"
#include "ui/help.h"
#include "ui/top_level_windows.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using test::BoxAnswerer;

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(5);
  }
}

QWidget* VisibleTopLevel(const char* name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == name && top->isVisible()) return top;
  }
  return nullptr;
}

// --- Help and About ---

class Form2Test : public ::testing::Test {
 protected:
  ~Form2Test() override {
    CloseHelp();
    Settle();
  }
  QPushButton* Button(const char* name) { return form_.findChild<QPushButton*>(name); }
  QLabel* Label(const char* name) { return form_.findChild<QLabel*>(name); }

  test::RecordingOpener opener_;
  TForm2 form_;
};

TEST_F(Form2Test, ATopmostModelessWindowThatWebAndHelpKeepOpenAndOkHides) {
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(Label("Label1")->font().bold());
  EXPECT_EQ(Button("Button1")->toolTip(), "Click to visit web site.");
  BoxAnswerer boxes;
  form_.show();
  EXPECT_FALSE(form_.isModal());
  QTest::mouseClick(Button("Button1"), Qt::LeftButton);
  EXPECT_EQ(opener_.uris, std::vector<std::string>{kMakerWebAddress});
  opener_.result = 31;  // a refused request is not reported
  QTest::mouseClick(Button("Button1"), Qt::LeftButton);
  EXPECT_EQ(opener_.uris.size(), 2u);

  QTest::mouseClick(Button("BitBtn2"), Qt::LeftButton);
  Settle();
  EXPECT_NE(VisibleTopLevel("HelpWindow"), nullptr);
  EXPECT_TRUE(form_.isVisible());
  EXPECT_TRUE(boxes.Seen().isEmpty());

  QTest::mouseClick(Button("BitBtn1"), Qt::LeftButton);
  EXPECT_FALSE(form_.isVisible());
}

TEST(HelpFileTest, BesideTheProgramFirstThenTheInstalledDataFolder) {
  const std::string prefix = test::MakeTempDir("prefix");
  fs::create_directories(prefix + "/bin");
  fs::create_directories(prefix + "/share/vorlix");
  const QString bin = QString::fromStdString(prefix + "/bin");
  EXPECT_EQ(HelpFileFor(bin), bin + "/Vorlix.hlp");  // neither: the message names the place beside
  test::WriteFile(prefix + "/share/vorlix/Vorlix.hlp", "installed");
  EXPECT_EQ(HelpFileFor(bin), QString::fromStdString(prefix + "/share/vorlix/Vorlix.hlp"));
  test::WriteFile(prefix + "/bin/Vorlix.hlp", "beside");
  EXPECT_EQ(HelpFileFor(bin), bin + "/Vorlix.hlp");
}

TEST(HelpFileTest, EveryLinkLeadsToAPageAndTheMessagesFindTheirPages) {
  QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../app/Vorlix.hlp"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString help = QString::fromUtf8(file.readAll());
  QSet<QString> anchors;
  for (const auto& match : QRegularExpression(R"re(<a name="([^"]+)">)re").globalMatch(help)) {
    anchors << match.captured(1);
  }
  int links = 0;
  for (const auto& match : QRegularExpression(R"re(<a href="#([^"]+)">)re").globalMatch(help)) {
    ++links;
    EXPECT_TRUE(anchors.contains(match.captured(1))) << match.captured(1).toStdString();
  }
  EXPECT_GT(links, 10);
  // The window opens the contents and topic 1; the report after a run and the
  // start-up message send the reader to their own pages.
  for (const char* page : {"contents", "topic-1", "explorer", "notfound", "keys"}) {
    EXPECT_TRUE(anchors.contains(page)) << page;
    EXPECT_TRUE(help.contains(QString("<a href=\"#%1\">").arg(page)) || QString(page) == "contents") << page;
  }
}

// --- Copy dialog ---

class CopyDestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDrives();
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(platform::UserRegistryPath() + suffix);
    c_ = fs::canonical(test::MakeTempDir("drive-c")).string();
    d_ = fs::canonical(test::MakeTempDir("drive-d")).string();
    test::MapDrive('c', c_);
    test::MapDrive('d', d_);
    fs::create_directories(c_ + "/windows/Temp");
    fs::create_directories(d_ + "/Backup/Old");
    copy_key_.Key = "Software\\Tolvex\\Vorlix";
    dialog_ = std::make_unique<TCopyDest>(state_);
  }
  void TearDown() override { dialog_->hide(); }

  void Open() {
    dialog_->show();
    Settle();
  }
  std::string Stored() { return ReadText(copy_key_, "Last Copy To Folder", "<absent>"); }
  std::string EditText() { return dialog_->findChild<QLineEdit*>("Edit1")->text().toStdString(); }
  DirectoryListBox* Tree() { return dialog_->findChild<DirectoryListBox*>("DirectoryListBox1"); }
  char DriveBox() { return dialog_->findChild<DriveComboBox*>("DriveComboBox1")->Drive(); }
  QPushButton* Button(const char* name) { return dialog_->findChild<QPushButton*>(name); }

  std::string c_, d_;
  TRegFile copy_key_;
  ProgramState state_;
  std::unique_ptr<TCopyDest> dialog_;
};

TEST_F(CopyDestTest, FirstUseOpensAtTheDefaultWithCancelAsDefaultAndEscape) {
  EXPECT_EQ(dialog_->windowTitle(), "Select Folder To Copy Files To");
  EXPECT_FALSE(dialog_->findChild<QLineEdit*>("Edit1")->isEnabled());
  EXPECT_TRUE(Button("BitBtn2")->isDefault());
  Open();
  EXPECT_EQ(Tree()->Directory(), "C:\\windows\\Temp");
  EXPECT_EQ(EditText(), "C:\\windows\\Temp\\");
  EXPECT_EQ(DriveBox(), 'c');

  QTest::keyClick(dialog_.get(), Qt::Key_Escape);
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_EQ(state_.copy_destination, "");
  EXPECT_EQ(Stored(), "<absent>");
}

TEST_F(CopyDestTest, OkSetsTheDestinationAndStoresTheFolderWhichTheNextOpeningReturnsTo) {
  copy_key_.WriteValue("Last Copy To Folder", "d:\\backup");
  Open();
  EXPECT_EQ(Tree()->Directory(), "D:\\Backup");
  EXPECT_EQ(DriveBox(), 'd');
  Tree()->SetDirectory("D:\\Backup\\Old");
  EXPECT_EQ(EditText(), "D:\\Backup\\Old\\");
  QTest::mouseClick(Button("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(state_.copy_destination, "D:\\Backup\\Old\\");
  EXPECT_EQ(Stored(), "D:\\Backup\\Old");
  TRegFile versioned;
  versioned.Key = "Software\\Tolvex\\Vorlix 5.0";
  EXPECT_FALSE(versioned.ValueExists("", "Last Copy To Folder"));

  // A folder visited without OK is forgotten; a drive root keeps one backslash.
  Open();
  Tree()->SetDirectory("D:\\");
  QTest::mouseClick(Button("BitBtn2"), Qt::LeftButton);
  Open();
  EXPECT_EQ(Tree()->Directory(), "D:\\Backup\\Old");
  Tree()->SetDirectory("D:\\");
  QTest::mouseClick(Button("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(state_.copy_destination, "D:\\");
  EXPECT_EQ(Stored(), "D:\\");
}

TEST_F(CopyDestTest, AStoredFolderThatIsGoneIsReportedAndTheDialogStaysUsable) {
  copy_key_.WriteValue("Last Copy To Folder", "d:\\gone");
  BoxAnswerer boxes;
  Open();
  Settle();
  ASSERT_EQ(boxes.Seen().size(), 1);
  EXPECT_TRUE(boxes.Seen().front().contains("gone"));
  EXPECT_TRUE(dialog_->isVisible());
  Tree()->SetDirectory("D:\\Backup");
  QTest::mouseClick(Button("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(state_.copy_destination, "D:\\Backup\\");
}

// --- The program's windows as the core sees them ---

// A client of a local socket that connects and then says nothing.
int ConnectSilently(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  EXPECT_EQ(connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  return fd;
}

TEST(TopLevelWindowsTest, ParentHandlesNameLiveWindowsAndRaiseRequestsRestoreThem) {
  InstallTopLevelWindows();
  auto window = std::make_unique<QWidget>();
  window->setWindowTitle("Probe");
  const platform::WindowHandle handle = HandleOf(window.get());
  TExecFile exec;
  exec.SetParentHWnd(handle);
  EXPECT_EQ(exec.ParentHWnd(), handle);
  window.reset();
  exec.SetParentHWnd(0);
  exec.SetParentHWnd(handle);  // the window is gone
  EXPECT_EQ(exec.ParentHWnd(), 0u);

  // A later copy of "Probe.EXE" asks for the window titled "Probe".
  TPreviousInstance& instance = TPreviousInstance::Check("/opt/probe/Probe.EXE");
  ASSERT_FALSE(instance.PreviousInstance());
  ServeRaiseRequests(instance);
  QWidget probe;
  probe.setWindowTitle("Probe");
  probe.showMinimized();
  Settle();
  ASSERT_TRUE(probe.isMinimized());
  // Copies that connect and send nothing hold up neither the window nor a real
  // request (a window that waited for each would take seconds here).
  const std::string socket = platform::NamedObjectPath("Probe.EXE", ".sock");
  std::vector<int> silent;
  for (int i = 0; i < 6; ++i) silent.push_back(ConnectSilently(socket));
  ASSERT_TRUE(platform::SendMessage(socket, "Probe"));
  QElapsedTimer served;
  served.start();
  for (int i = 0; i < 50 && probe.isMinimized(); ++i) Settle();
  EXPECT_LT(served.elapsed(), 1500);
  EXPECT_EQ(probe.windowTitle(), "Probe");
  for (const int connection : silent) close(connection);

  // The main window answers to the title formed from the program file's name.
  probe.setWindowTitle("Vorlix Pro 5.0");
  SetApplicationWindow(&probe, "Probe");
  probe.showMinimized();
  Settle();
  ASSERT_TRUE(platform::SendMessage(socket, "Probe"));
  for (int i = 0; i < 50 && probe.isMinimized(); ++i) Settle();
  EXPECT_FALSE(probe.isMinimized());
  EXPECT_EQ(probe.windowTitle(), "Vorlix Pro 5.0");
  SetApplicationWindow(nullptr, "");
}

}  // namespace
}  // namespace vorlix
