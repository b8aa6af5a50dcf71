// The channel file as the dialog opens, reloads and saves it; the port stays closed.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "MultiChannelRig.h"
#include "TestNamespaces.h"

namespace {

using namespace std::string_literals;

const QString kSaveFailed = QString::fromUtf8("保存数据失败");
const QString kSaved = QString::fromUtf8("保存数据成功");
const QString kDisplayFailed = QString::fromUtf8("显示失败");
const QString kInitFailed = QString::fromUtf8("初始化失败");

// Holds the file open and locked, as another program would.
class CForeignOpener {
public:
    explicit CForeignOpener(const std::string& path) : m_fd(open(path.c_str(), O_RDONLY)) {
        EXPECT_GE(m_fd, 0);
        EXPECT_EQ(flock(m_fd, LOCK_EX | LOCK_NB), 0);
    }
    ~CForeignOpener() { close(m_fd); }
    CForeignOpener(const CForeignOpener&) = delete;
    CForeignOpener& operator=(const CForeignOpener&) = delete;

private:
    int m_fd;
};

// The channel file's full path in the working folder.
QString FullPath() {
    return QString::fromStdString((std::filesystem::current_path() / "ChanPara.txt").string());
}

// The descriptor this process holds on path.
int DescriptorOf(const std::string& path) {
    const std::filesystem::path target = std::filesystem::canonical(path);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) == target) {
            return std::stoi(entry.path().filename().string());
        }
    }
    return -1;
}

void ExpectAllRows(const CMultiChannelRig& rig, const QString& text) {
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(rig.Rx(row), text) << "row " << row;
        EXPECT_EQ(rig.Tx(row), text) << "row " << row;
    }
}

TEST(ChannelFile, OpeningWithoutTheFileCreatesDefaultRecordsAndShowsThem) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    const std::string content = rig.FileContent();
    ASSERT_EQ(content.size(), 800u);
    EXPECT_EQ(content.substr(0, 8), "\x60\x18\x23\x00\x60\x18\x23\x00"s);
    EXPECT_EQ(content, DefaultFile());
    ExpectAllRows(rig, "2300000");
    EXPECT_EQ(rig.Text(Mc::kStartChannel), "1");
    EXPECT_EQ(rig.Text(Mc::kChannelCount), "10");
    EXPECT_EQ(rig.Text(Mc::kStatus), "");
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道1"));
    EXPECT_EQ(rig.Captions().last(), QString::fromUtf8("信道10"));
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
}

TEST(ChannelFile, AnExistingFileIsLoadedAsItIsAndReloadedWhenTheStartChannelChanges) {
    CMultiChannelRig rig;
    std::vector<Record> records(100, Record{2300000, 2300000});
    records[4] = {4500000, 4600000};
    rig.WriteFile(FileBytes(records));
    rig.OpenDialog();
    EXPECT_EQ(rig.Rx(5), "4500000");
    EXPECT_EQ(rig.Tx(5), "4600000");
    EXPECT_EQ(rig.FileContent(), FileBytes(records));

    // An edit of channel 5 that was not saved is discarded.
    rig.SetRow(5, "1234567", "1234567");
    rig.Type(Mc::kStartChannel, "5");
    EXPECT_EQ(rig.Rx(1), "4500000");
    EXPECT_EQ(rig.Tx(1), "4600000");
    EXPECT_EQ(rig.Rx(5), "2300000");
    EXPECT_EQ(rig.FileContent(), FileBytes(records));
    EXPECT_EQ(rig.Captions(), QStringList({"信道5", "信道6", "信道7", "信道8", "信道9", "信道10",
                                           "信道11", "信道12", "信道13", "信道14"}));
}

TEST(ChannelFile, AShortFileLoadsWithoutComplaintAndMissingRecordsKeepTheRows) {
    CMultiChannelRig rig;
    rig.WriteFile(FileBytes({{1000001, 2000001}, {1000002, 2000002}, {1000003, 2000003}}));
    rig.OpenDialog();
    EXPECT_EQ(rig.Rx(3), "1000003");
    EXPECT_EQ(rig.Tx(3), "2000003");
    EXPECT_EQ(rig.Rx(4), "0");
    EXPECT_EQ(rig.Tx(10), "0");

    // Rows 2 and beyond lie past the end now: they keep what they held.
    rig.Type(Mc::kStartChannel, "3");
    EXPECT_EQ(rig.Rx(1), "1000003");
    EXPECT_EQ(rig.Rx(2), "1000002");
    EXPECT_EQ(rig.Tx(2), "2000002");
    EXPECT_EQ(rig.Rx(4), "0");
    EXPECT_EQ(rig.Text(Mc::kStatus), "");
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
    EXPECT_EQ(rig.FileContent().size(), 24u);
}

TEST(ChannelFile, ARecordCutShortReplacesOnlyTheBytesItHas) {
    CMultiChannelRig rig;
    rig.WriteFile(FileBytes(std::vector<Record>(100, Record{0x01020304, 0x05060708})));
    rig.OpenDialog();
    // Record 2 keeps its receive value and two bytes of its transmit value.
    std::string cut = FileBytes({{1000001, 2000001}, {0x00ABCDEF, 0}});
    cut.resize(14);
    rig.WriteFile(cut);
    rig.Edit(Mc::kStartChannel)->setText("2");  // one change, as a paste makes
    EXPECT_EQ(rig.Rx(1), QString::number(0x00ABCDEF));
    EXPECT_EQ(rig.Tx(1), QString::number(0x05060000));
    EXPECT_EQ(rig.Rx(2), QString::number(0x01020304));
    EXPECT_EQ(rig.Tx(2), QString::number(0x05060708));
}

TEST(ChannelFile, StoredValuesOutOfRangeShowInFullAndAreRefusedBySaveAndSet) {
    CMultiChannelRig rig;
    std::vector<Record> records(100, Record{2300000, 2300000});
    records[0] = {-1, 12345678};
    rig.WriteFile(FileBytes(records));
    rig.OpenDialog();
    EXPECT_EQ(rig.Rx(1), "-1");
    EXPECT_EQ(rig.Tx(1), "12345678");

    rig.Click(Mc::kSave);
    ASSERT_EQ(rig.boxes.Texts(), QStringList({"请输入1000000至6000000之间的数值"}));
    EXPECT_EQ(rig.Rx(1), "-100000");  // padded to seven characters
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[0].rx));
    EXPECT_EQ(rig.FileContent(), FileBytes(records));
    EXPECT_EQ(rig.Text(Mc::kStatus), "");

    rig.Edit(Mc::kRows[0].rx)->setText("2300000");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.boxes.Texts().size(), 2);
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[0].tx));
    EXPECT_EQ(rig.Text(Mc::kStatus), "");
}

TEST(ChannelFile, SavingRewritesOnlyTheRecordsOfTheSavedChannels) {
    CMultiChannelRig rig;
    const std::string before = NumberedFile(1000000, 2000000);
    rig.WriteFile(before);
    rig.OpenDialog();

    rig.ChooseWindow(3, 2);
    EXPECT_EQ(rig.Rx(1), "1000003");
    rig.SetRow(1, "4500000", "4600000");
    rig.SetRow(2, "4700000", "4800000");
    rig.SetRow(3, "5000000", "5000000");  // beyond the count: not saved
    rig.Click(Mc::kSave);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSaved);
    std::string expected = before;
    expected.replace(16, 16, FileBytes({{4500000, 4600000}, {4700000, 4800000}}));
    EXPECT_EQ(rig.FileContent(), expected);

    rig.ChooseWindow(91, 10);
    for (int row = 1; row <= 10; ++row) {
        rig.SetRow(row, QString::number(3000000 + row), QString::number(4000000 + row));
    }
    rig.Click(Mc::kSave);
    std::vector<Record> last;
    for (int row = 1; row <= 10; ++row) {
        last.push_back({3000000 + row, 4000000 + row});
    }
    expected.replace(720, 80, FileBytes(last));
    EXPECT_EQ(rig.FileContent(), expected);
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
}

TEST(ChannelFile, SavingUsesTheStoredWindowUntilTheStartFieldChanges) {
    CMultiChannelRig rig;
    const std::string before = NumberedFile(1000000, 2000000);
    rig.WriteFile(before);
    rig.OpenDialog();
    rig.ChooseWindow(95, 0);  // channels 91 to 100, count 1
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道91"));
    EXPECT_EQ(rig.Text(Mc::kStartChannel), "95");
    rig.Type(Mc::kChannelCount, "3");  // not read until the start field changes
    rig.SetRow(1, "5000000", "5000000");
    rig.SetRow(2, "5000000", "5000000");
    rig.Click(Mc::kSave);
    std::string expected = before;
    expected.replace(720, 8, FileBytes({{5000000, 5000000}}));
    EXPECT_EQ(rig.FileContent(), expected);

    rig.ChooseWindow(1, 11);  // more than ten means ten
    for (int row = 1; row <= 10; ++row) {
        rig.SetRow(row, "1234567", "2345678");
    }
    rig.Click(Mc::kSave);
    expected.replace(0, 80, FileBytes(std::vector<Record>(10, Record{1234567, 2345678})));
    EXPECT_EQ(rig.FileContent(), expected);
}

TEST(ChannelFile, StartFieldsThatAreNoChannelMeanChannelOneOrNinetyOne) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    const QString first = QString::fromUtf8("信道1");
    const QString ninetyOne = QString::fromUtf8("信道91");
    rig.Type(Mc::kStartChannel, "92");
    EXPECT_EQ(rig.Captions().first(), ninetyOne);
    EXPECT_EQ(rig.Captions().last(), QString::fromUtf8("信道100"));
    rig.Type(Mc::kStartChannel, "0");
    EXPECT_EQ(rig.Captions().first(), first);
    rig.Type(Mc::kStartChannel, "999");
    EXPECT_EQ(rig.Captions().first(), ninetyOne);
    rig.Type(Mc::kStartChannel, "x7");
    EXPECT_EQ(rig.Captions().first(), first);
    rig.Type(Mc::kStartChannel, "-5");
    EXPECT_EQ(rig.Captions().first(), first);
    rig.Type(Mc::kStartChannel, "25");
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道25"));
    rig.Type(Mc::kStartChannel, "");
    EXPECT_EQ(rig.Captions().first(), first);
}

TEST(ChannelFile, ADeletedFileFailsSaveAndReloadAndIsNotRecreatedUntilTheNextOpening) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    std::filesystem::remove(rig.FilePath());

    rig.SetRow(1, "4500000", "4600000");
    rig.Click(Mc::kSave);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSaveFailed);
    EXPECT_FALSE(std::filesystem::exists(rig.FilePath()));

    // The captions and edits are refreshed all the same, from the rows as the save
    // collected them.
    rig.Type(Mc::kRows[1].rx, "123");
    rig.Type(Mc::kStartChannel, "7");
    EXPECT_EQ(rig.Text(Mc::kStatus), kDisplayFailed);
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道7"));
    EXPECT_EQ(rig.Rx(1), "4500000");
    EXPECT_EQ(rig.Rx(2), "2300000");
    EXPECT_FALSE(std::filesystem::exists(rig.FilePath()));
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());

    rig.OpenDialog();
    EXPECT_EQ(rig.FileContent(), DefaultFile());
    EXPECT_EQ(rig.Text(Mc::kStatus), "");
}

TEST(ChannelFile, AFileThatAnotherProgramHoldsCannotBeLoadedSavedOrPrepared) {
    CMultiChannelRig rig;
    const std::string before = NumberedFile(1000000, 2000000);
    rig.WriteFile(before);
    rig.OpenDialog();
    {
        CForeignOpener other(rig.FilePath());
        rig.Click(Mc::kSave);
        EXPECT_EQ(rig.Text(Mc::kStatus), kSaveFailed);
        rig.Type(Mc::kStartChannel, "2");
        EXPECT_EQ(rig.Text(Mc::kStatus), kDisplayFailed);
        EXPECT_EQ(rig.Rx(1), "1000001");

        rig.OpenDialog();
        EXPECT_EQ(rig.Text(Mc::kStatus), kInitFailed);
        ExpectAllRows(rig, "0");
    }
    EXPECT_EQ(rig.FileContent(), before);
    rig.Click(Mc::kSave);  // rows of 0 are refused
    EXPECT_EQ(rig.FileContent(), before);
    rig.Type(Mc::kStartChannel, "2");
    EXPECT_EQ(rig.Rx(1), "1000002");
}

TEST(ChannelFile, AReadOnlyFileLoadsButIsNotSaved) {
    CMultiChannelRig rig;
    const std::string before = NumberedFile(1000000, 2000000);
    rig.WriteFile(before);
    std::filesystem::permissions(rig.FilePath(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
    rig.OpenDialog();
    EXPECT_EQ(rig.Rx(1), "1000001");
    rig.SetRow(1, "4500000", "4600000");
    rig.Click(Mc::kSave);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSaveFailed);
    EXPECT_EQ(rig.FileContent(), before);
}

TEST(ChannelFile, AFolderInThePlaceOfTheFileFailsThePreparation) {
    CMultiChannelRig rig;
    std::filesystem::create_directory(rig.FilePath());
    rig.OpenDialog();
    EXPECT_EQ(rig.Text(Mc::kStatus), kInitFailed);
    ExpectAllRows(rig, "0");
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
}

TEST(ChannelFile, AFullDiskAbandonsTheSaveWithAStopBoxNamingTheFile) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    {
        CFileSizeLimit limit;  // the second record finds no room
        rig.Click(Mc::kSave);
    }
    ASSERT_EQ(rig.boxes.Boxes().size(), 1);
    const MessageBoxRequest& box = rig.boxes.Boxes().first();
    EXPECT_EQ(box.text, QString::fromUtf8("在存取 %1 时磁盘已满。").arg(FullPath()).toStdString());
    EXPECT_EQ(box.icon, MsgIcon::Stop);
    EXPECT_EQ(box.caption, ApplicationTitle());
    EXPECT_EQ(box.owner, rig.dialog.get());
    EXPECT_EQ(rig.Text(Mc::kStatus), "");

    // The file was closed: the next save opens it again.
    rig.Click(Mc::kSave);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSaved);
}

TEST(ChannelFile, AFailedCloseIsReportedAsAFailedWriteIs) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    std::vector<std::pair<FileError, std::string>> errors;
    CChannelFile file(
        [&errors](FileError error, const std::string& path) { errors.emplace_back(error, path); });
    ASSERT_TRUE(file.OpenForWriting());
    ASSERT_TRUE(file.WriteRecord({1000001, 2000001}));
    // Closed behind the file's back, the descriptor fails the file's own close.
    ASSERT_EQ(close(DescriptorOf(rig.FilePath())), 0);

    EXPECT_FALSE(file.Close());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first, FileError::Other);
    EXPECT_EQ(QString::fromStdString(errors[0].second), FullPath());
}

TEST(ChannelFile, AReadErrorAbandonsTheReloadWithAStopBoxNamingTheFile) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    // The process's own memory reads with an input/output error at low offsets.
    std::filesystem::remove(rig.FilePath());
    std::filesystem::create_symlink("/proc/self/mem", rig.FilePath());

    rig.Type(Mc::kStartChannel, "5");
    ASSERT_EQ(rig.boxes.Boxes().size(), 2);  // the empty field, then 5
    const MessageBoxRequest& box = rig.boxes.Boxes().last();
    EXPECT_EQ(box.text, QString::fromUtf8("在存取 %1 时一个硬件输入/输出错误被报告。")
                            .arg(FullPath())
                            .toStdString());
    EXPECT_EQ(box.icon, MsgIcon::Stop);
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道1"));
    EXPECT_EQ(rig.Rx(1), "2300000");
    EXPECT_EQ(rig.Text(Mc::kStatus), "");

    std::filesystem::remove(rig.FilePath());
    rig.WriteFile(NumberedFile(1000000, 2000000));
    rig.Type(Mc::kStartChannel, "4");
    EXPECT_EQ(rig.Rx(1), "1000004");
}

}  // namespace
