// Output files written all or nothing: new and existing regular files
// replaced at once, links kept, a FIFO written in place, refusals before
// anything is written, a failed commit, and messages fit for one line.
// (Read-only files, /dev/null and interruptions are tried on the program
// itself, as an ordinary user, in BatchOutputFilesTest.)
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ScratchFolder.h"
#include "files/OutputFiles.h"

namespace drivesim {
namespace {

namespace fs = std::filesystem;

class OutputFilesTest : public ScratchFolderTest {
 protected:
  OutputFilesTest() : ScratchFolderTest("drivesim-outputs") {}
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static struct stat Status(const std::string& path, bool follow = true) {
    struct stat st {};
    EXPECT_EQ(follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st), 0) << path;
    return st;
  }
  // The message Prepare refuses the outputs with, or "" when it accepts them.
  static std::string Refusal(TOutputFiles& files) {
    try {
      files.Prepare();
    } catch (const EOutputError& e) {
      return e.Message();
    }
    return "";
  }

  std::ostringstream standardOutput;
};

TEST_F(OutputFilesTest, RegularFilesAreReplacedAtOnceAndLinksKept) {
  Write(Path("old.csv"), "old\n");
  ::chmod(Path("old.csv").c_str(), 0640);
  const ino_t oldInode = Status(Path("old.csv")).st_ino;
  // A chain of two links, one relative and one absolute, to an existing
  // file, and a link to a file not written yet.
  Write(Path("target.csv"), "target\n");
  fs::create_symlink("target.csv", dir / "inner");
  fs::create_symlink(dir / "inner", dir / "outer");
  fs::create_symlink("later.csv", dir / "dangling");

  TOutputFiles files(standardOutput);
  const auto fresh = files.Add("--a", Path("new.csv"));
  const auto old = files.Add("--b", Path("old.csv"));
  const auto linked = files.Add("--c", Path("outer"));
  const auto dangling = files.Add("--d", Path("dangling"));
  const auto out = files.Add("--e", "-");
  files.Prepare();
  // Readied: one hidden temporary beside each regular target, the targets
  // as they were.
  int temporaries = 0;
  for (const std::string& name : Entries()) temporaries += name.front() == '.';
  EXPECT_EQ(temporaries, 4);
  EXPECT_FALSE(fs::exists(Path("new.csv")));
  EXPECT_EQ(Read(Path("old.csv")), "old\n");
  files.Stream(fresh) << "fresh\n";
  files.Stream(old) << "replaced\n";
  files.Stream(linked) << "through links\n";
  files.Stream(dangling) << "made\n";
  files.Stream(out) << "on standard output\n";
  EXPECT_EQ(Read(Path("old.csv")), "old\n") << "nothing written before Commit";
  files.Commit();

  EXPECT_EQ(Read(Path("new.csv")), "fresh\n");
  EXPECT_EQ(Read(Path("old.csv")), "replaced\n");
  EXPECT_EQ(Read(Path("target.csv")), "through links\n");
  EXPECT_EQ(Read(Path("later.csv")), "made\n");
  EXPECT_EQ(standardOutput.str(), "on standard output\n");
  // A new inode under the old name, with the old file's permissions; the
  // links are still links.
  EXPECT_NE(Status(Path("old.csv")).st_ino, oldInode);
  EXPECT_EQ(Status(Path("old.csv")).st_mode & 07777, 0640u);
  EXPECT_TRUE(fs::is_symlink(dir / "outer"));
  EXPECT_TRUE(fs::is_symlink(dir / "inner"));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(Status(Path("new.csv")).st_mode & 07777, 0666u & ~mask);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"dangling", "inner", "later.csv", "new.csv",
                                                 "old.csv", "outer", "target.csv"}));
}

TEST_F(OutputFilesTest, FifoIsWrittenInPlaceAndOutputsNeverCommittedLeaveNothing) {
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = Read(Path("pipe")); });
  {
    TOutputFiles files(standardOutput);
    const auto pipe = files.Add("--csv", Path("pipe"));
    files.Prepare();  // waits for the reader
    files.Stream(pipe) << "rows\n";
    files.Commit();
  }
  reader.join();
  EXPECT_EQ(received, "rows\n");
  EXPECT_TRUE(S_ISFIFO(Status(Path("pipe"), false).st_mode));

  // Outputs readied but never committed (a run that ended early) leave the
  // targets as they were and no temporary.
  Write(Path("kept.csv"), "kept\n");
  {
    TOutputFiles files(standardOutput);
    const auto a = files.Add("--a", Path("kept.csv"));
    const auto b = files.Add("--b", Path("kept2.csv"));
    files.Prepare();
    files.Stream(a) << "lost\n";
    files.Stream(b) << "lost\n";
  }
  EXPECT_EQ(Read(Path("kept.csv")), "kept\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"kept.csv", "pipe"}));
}

TEST_F(OutputFilesTest, UnwritableTargetsAndOneFileNamedTwiceAreRefusedBeforeAnything) {
  Write(Path("ok.csv"), "ok\n");
  fs::create_directory(dir / "sub");
  Write(Path("sub/x.csv"), "x\n");
  fs::create_symlink("sub/x.csv", dir / "link-to-x");
  ::link(Path("sub/x.csv").c_str(), Path("hard-x").c_str());
  struct Case {
    std::vector<std::string> Paths;
    std::string Message;
  };
  const std::string d = dir.string();
  const std::vector<Case> cases{
      {{Path("ok.csv"), ""}, "Cannot create file \"\". No such file or directory"},
      {{Path("ok.csv"), Path("sub")}, "Cannot create file \"" + d + "/sub\". Is a directory"},
      {{Path("ok.csv"), Path("sub/")}, "Cannot create file \"" + d + "/sub/\". Is a directory"},
      {{Path("ok.csv"), Path("new/")}, "Cannot create file \"" + d + "/new/\". Is a directory"},
      {{Path("ok.csv"), Path("missing/a.csv")},
       "Cannot create file \"" + d + "/missing/a.csv\". No such file or directory"},
      {{Path("ok.csv"), Path("ok.csv/a")},
       "Cannot create file \"" + d + "/ok.csv/a\". Not a directory"},
      // The same file under other names: a new one by its resolved name, an
      // existing one by device and inode (a link, a hard link).
      {{Path("new.csv"), d + "/sub/../new.csv"}, "--0 and --1 name the same file"},
      {{Path("ok.csv"), Path("sub/x.csv"), Path("link-to-x")}, "--1 and --2 name the same file"},
      {{Path("hard-x"), Path("sub/x.csv")}, "--0 and --1 name the same file"},
  };
  for (const Case& c : cases) {
    TOutputFiles files(standardOutput);
    for (std::size_t n = 0; n < c.Paths.size(); ++n) {
      files.Add("--" + std::to_string(n), c.Paths[n]);
    }
    EXPECT_EQ(Refusal(files), c.Message);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"hard-x", "link-to-x", "ok.csv", "sub"}))
        << c.Message;
    EXPECT_EQ(Read(Path("ok.csv")), "ok\n");
  }
  // Standard output named more than once, or next to files, is fine.
  TOutputFiles files(standardOutput);
  files.Add("--a", "-");
  files.Add("--b", "-");
  EXPECT_EQ(Refusal(files), "");

  // The file standard output is redirected to cannot be an output too.
  const int fd = ::open(Path("ok.csv").c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(fd, 0);
  TOutputFiles redirected(standardOutput, fd);
  redirected.Add("--rows", "-");
  redirected.Add("--series", Path("sub/../ok.csv"));
  EXPECT_EQ(Refusal(redirected), "Standard output and --series name the same file");
  TOutputFiles notUsed(standardOutput, fd);
  notUsed.Add("--series", Path("ok.csv"));
  EXPECT_EQ(Refusal(notUsed), "") << "standard output not written to";
  ::close(fd);
}

TEST_F(OutputFilesTest, CommitThatCannotCompleteSaysWhichAndLeavesNoTemporary) {
  Write(Path("a.csv"), "a\n");
  {
    TOutputFiles files(standardOutput);
    const auto a = files.Add("--a", Path("a.csv"));
    const auto b = files.Add("--b", Path("b.csv"));
    files.Prepare();
    files.Stream(a) << "new a\n";
    files.Stream(b) << "new b\n";
    // Between the run and the commit, b's name became a directory.
    fs::create_directory(dir / "b.csv");
    try {
      files.Commit();
      ADD_FAILURE() << "the commit went through";
    } catch (const EOutputError& e) {
      EXPECT_EQ(e.Message(), "Cannot create file \"" + Path("b.csv") + "\". Is a directory");
    }
  }
  // The output committed before the failing one stays written.
  EXPECT_EQ(Read(Path("a.csv")), "new a\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.csv", "b.csv"}));
  EXPECT_TRUE(fs::is_directory(dir / "b.csv"));
}

TEST(OutputFilesMessageTest, ControlCharactersAreEscapedOntoOneLine) {
  EXPECT_EQ(OneLine("'1\n2' is not a valid floating point value."),
            "'1\\n2' is not a valid floating point value.");
  EXPECT_EQ(OneLine("a\tb\rc\x1b[31m\x7f"), "a\\tb\\rc\\x1B[31m\\x7F");
  // Letters beyond ASCII stay as they are.
  EXPECT_EQ(OneLine("Cannot create file \"k\xc3\xa4se.csv\""),
            "Cannot create file \"k\xc3\xa4se.csv\"");
}

}  // namespace
}  // namespace drivesim
