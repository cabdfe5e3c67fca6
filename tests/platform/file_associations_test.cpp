// Associating the program with its file types in scratch XDG directories.

#include "platform/file_associations.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tarvolinde {
namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& path) { return (std::stringstream() << std::ifstream(path).rdbuf()).str(); }

class FileAssociationsTest : public testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(root_);
        fs::create_directories(dirs_.ConfigHome);
    }
    void TearDown() override { fs::remove_all(root_); }
    bool Apply(std::initializer_list<std::string_view> extensions, const std::string& exe = "/opt/t/tarvolinde") {
        AssociationFlags wanted{};
        for (size_t i = 0; i < kAssociatedTypes.size(); ++i)
            for (std::string_view extension : extensions) wanted[i] = wanted[i] || kAssociatedTypes[i].Extension == extension;
        return ApplyAssociations(dirs_, wanted, exe, [this](const std::vector<std::string>& arguments) { commands_.push_back(arguments); });
    }

    const fs::path root_ = fs::temp_directory_path() / ("tarvolinde-xdg-" + std::to_string(getpid()));
    const XdgDirs dirs_{root_ / "data", root_ / "config"};
    std::vector<std::vector<std::string>> commands_;
};

constexpr size_t kTap = 5, kZ80 = 1;

TEST_F(FileAssociationsTest, AnotherProgramsHandlerComesBackAndOtherLinesStayAsTheyWere) {
    const std::string before = "# mine\n[Default Applications]\napplication/x-spectrum-tap=otro.desktop;viejo.desktop;\n"
                               "text/plain=gedit.desktop\n\n[Added Associations]\napplication/x-spectrum-tap=otro.desktop;\n";
    std::ofstream(dirs_.MimeApps()) << before;

    ASSERT_TRUE(Apply({"tap", "z80"}));
    const AssociationFlags flags = AssociatedTypes(dirs_);
    for (size_t i = 0; i < flags.size(); ++i) EXPECT_EQ(flags[i], i == kTap || i == kZ80) << i;
    const std::string mimeApps = Text(dirs_.MimeApps());
    EXPECT_NE(mimeApps.find("application/x-spectrum-tap=tarvolinde.desktop;otro.desktop;\n"), std::string::npos);
    EXPECT_NE(mimeApps.find("# mine\n[Default Applications]\napplication/x-spectrum-tap=tarvolinde.desktop\n"
                            "text/plain=gedit.desktop\n"), std::string::npos);
    const std::string entry = Text(dirs_.DesktopEntry());
    EXPECT_NE(entry.find("Exec=/opt/t/tarvolinde %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-spectrum-fsu;application/x-spectrum-z80;"), std::string::npos);
    EXPECT_NE(Text(dirs_.MimePackage()).find("<glob pattern=\"*.rzx\"/>"), std::string::npos);
    ASSERT_EQ(commands_.size(), 2u);
    EXPECT_EQ(commands_[0], (std::vector<std::string>{"update-mime-database", (dirs_.DataHome / "mime").string()}));

    // Associating again keeps the first "Salvado"; un-associating brings it back.
    ASSERT_TRUE(Apply({"tap"}));
    ASSERT_TRUE(Apply({}));
    EXPECT_EQ(Text(dirs_.MimeApps()), before);
    EXPECT_FALSE(fs::exists(dirs_.DesktopEntry()) || fs::exists(dirs_.MimePackage()));
}

TEST_F(FileAssociationsTest, HostileFilesAreLeftAloneAndPathsAreQuoted) {
    std::ofstream(dirs_.MimeApps()) << std::string(2 << 20, '[');
    EXPECT_FALSE(Apply({"tap"}));
    EXPECT_EQ(fs::file_size(dirs_.MimeApps()), size_t(2 << 20));
    EXPECT_TRUE(commands_.empty());
    EXPECT_EQ(DesktopExecLine("/a b/\"x\"/50%/c\\d"), R"("/a b/\\"x\\"/50%%/c\\\\d" %f)");
    EXPECT_EQ(DesktopExecLine("/opt/50%/t"), "/opt/50%%/t %f");
}

}  // namespace
}  // namespace tarvolinde
