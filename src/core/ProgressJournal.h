#pragma once
// The player's progress journal: which puzzles were solved, solved with help or shown by the
// hidden solver, and which puzzle was on the board when the game last ended. It is a small text
// file of its own, one line per puzzle:
//
//     solved 2025-03-14 cold warm cccc
//
// the mark, the local date it was reached, and the puzzle's identity: its start word, end word
// and action line in lower case. Knowing a puzzle by its content keeps its mark through a
// re-sort, added or deleted puzzles, a new collection and edits of its hints; an edit of its
// words or actions makes a new puzzle. One "last" line of the same shape names the puzzle on
// the board at the end; lines starting with "#" are comments.
//
// A damaged or foreign file never stops the game: what cannot be read is skipped and reported
// to the error log, and the file is left as it is until the player's next win, which first keeps
// what could not be read in "progress-unread.txt" beside it.
//
// Owns the marks in memory; the file is written only by Save.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// In rising order: a mark only ever moves up.
enum class PuzzleMark : uint8_t {
    None,
    Shown,  // the hidden solver filled the ladder
    Helped, // solved after a hint
    Solved, // solved unaided
};

// True for the marks of a puzzle the player solved.
inline bool IsSolvedMark(PuzzleMark mark) {
    return mark >= PuzzleMark::Helped;
}

// A puzzle's identity: "start end actions" in lower case, or empty when the puzzle cannot stand
// in the journal (words that are not 1 to 7 letters, an action line not of 1 to 9 codes).
std::string ProgressKey(std::string_view start, std::string_view end, std::string_view actions);

struct TJournalEntry {
    PuzzleMark Mark = PuzzleMark::None;
    std::string Date; // "YYYY-MM-DD"
};

// The content of a journal file.
struct TJournalText {
    std::map<std::string, TJournalEntry> Marks; // by key
    std::string LastPuzzle;                     // key, or empty
    std::string LastDate;
    std::vector<std::string> Unread; // the lines that could not be read, as they stood
};

// Reads a journal's text: lines end with LF or CR LF; blank lines and comments are skipped;
// a puzzle named twice keeps its best mark; any other line goes to Unread.
TJournalText ParseJournal(std::string_view text);
// The lines of the file, the marks in key order.
std::vector<std::string> FormatJournal(const TJournalText& journal);

// The summary of a collection given as each puzzle's number of rows and mark, such as
// "Solved 5 of 9 · 3 rows 2/2 · 4 rows 3/7": the solved puzzles (with or without help) of all
// and of each number of rows, in rising order. The dot is U+00B7 in UTF-8.
std::string ProgressSummary(const std::vector<std::pair<int, PuzzleMark>>& puzzles);

// Today's local date as "YYYY-MM-DD".
std::string LocalDate();

class TProgressJournal {
  public:
    static constexpr std::string_view FileName = "progress.txt";
    static constexpr std::string_view UnreadFileName = "progress-unread.txt";
    // A bigger file is not ours: it is not read, and kept whole as the unread part.
    static constexpr std::uintmax_t MaxFileSize = 16u << 20;

    // An empty path keeps the marks in memory only.
    explicit TProgressJournal(std::filesystem::path file = {});

    const std::filesystem::path& File() const { return File_; }
    // Replaces the marks by the file's; a missing file is an empty journal. Never throws.
    void Load();
    // Writes the file (and its folder) when a mark or the last puzzle changed. After a load
    // that met a fault only a win writes, keeping the unread part first; a file that cannot be
    // read at all is never replaced. Faults go to the error log; never throws.
    void Save(bool win);
    // True while the file as loaded held something that could not be read.
    bool Damaged() const { return Fault != LoadFault::None; }

    PuzzleMark MarkOf(const std::string& key) const;
    // Raises the puzzle's mark to the given one, dated; true when it changed.
    bool Mark(const std::string& key, PuzzleMark mark, const std::string& date);
    const std::string& LastPuzzle() const { return Text.LastPuzzle; }
    void SetLastPuzzle(const std::string& key, const std::string& date);

  private:
    enum class LoadFault {
        None,
        Lines,      // some lines could not be read
        WholeFile,  // too big to be ours
        Unreadable, // not a file this process can read (a folder, a FIFO, no permission)
    };
    void KeepUnread() const;

    std::filesystem::path File_;
    TJournalText Text;
    bool Changed = false;
    LoadFault Fault = LoadFault::None;
};
