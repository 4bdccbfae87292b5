#include "Mock.h"

#include "PictureKit.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int RowPitch = 26;
constexpr int CellPitch = 30;
constexpr int FirstCell = 112;
constexpr int Border = 8;

struct ButtonPlace {
    const char* name;
    int x;
    int y;
    int frameHeight;
    bool editOnly;
};

const ButtonPlace Buttons[] = {
    {"checkbtn", 351, 236, 12, false}, {"hintbtn", 351, 253, 12, false},
    {"startbtn", 351, 270, 12, false}, {"newbtn", 351, 287, 12, false},
    {"selbtn", 351, 304, 12, false},   {"edvocbtn", 351, 10, 12, true},
    {"sugstbtn", 351, 27, 12, true},   {"actmbtn", 353, 47, 21, true},
    {"actcbtn", 393, 47, 21, true},    {"actsbtn", 353, 70, 21, true},
    {"actxbtn", 393, 70, 21, true},    {"actrbtn", 353, 93, 21, true},
    {"actabtn", 393, 93, 21, true},    {"addrwbtn", 351, 122, 12, true},
    {"delrwbtn", 351, 139, 12, true},  {"sethnbtn", 351, 156, 12, true},
    {"clrhnbtn", 351, 173, 12, true},  {"accptbtn", 351, 194, 12, true},
    {"canclbtn", 351, 211, 12, true},
};

struct Board {
    std::vector<std::string> rows; // a blank is an empty cell
    std::string actions;           // one code per row, the first unused
    std::vector<int> marks;
    std::vector<bool> hints;
    int cursorRow;
    int cursorColumn;
};

void DrawBoard(QPainter& painter, const std::map<std::string, QImage>& pictures, const Board& board,
               bool editMode) {
    const QImage& letters = pictures.at("letters");
    const QImage& graphics = pictures.at("laddgfx");
    const int n = static_cast<int>(board.rows.size());
    int columns = 7;
    if (!editMode) {
        columns = 0;
        for (const std::string& row : board.rows) {
            columns = std::max(columns, static_cast<int>(row.size()));
        }
    }
    const int width = (columns - 1) * CellPitch + 138;
    const int left = 165 - width / 2;
    const int top = 175 - ((n - 1) * RowPitch + 21) / 2;
    const std::string& end = board.rows.back();
    for (int r = 0; r < n; ++r) {
        const int y = top + r * RowPitch;
        if (r > 0) {
            painter.drawImage(QPoint(left, y), graphics, BoardSheet::ActionLabel(board.actions[r]));
        }
        const std::string& row = board.rows[r];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            const char ch = row[c];
            int k = ch >= 'A' && ch <= 'Z' ? ch - 'A' + 1 : 0;
            if (k > 0 && end.find(ch) != std::string::npos) {
                k += 27;
            }
            painter.drawImage(QPoint(left + FirstCell + c * CellPitch, y), letters,
                              QRect(25 * (k % 9), 20 * (k / 9), 26, 21));
        }
        if (editMode) {
            const QRect hint = board.hints[r] ? BoardSheet::HintSet : BoardSheet::HintClear;
            painter.drawImage(QPoint(left + 102, y + 6), graphics, hint);
        }
        if (board.marks[r] > 0) {
            const QRect mark = BoardSheet::Marks[board.marks[r] - 1];
            const int w = (columns - 1) * CellPitch + 26;
            painter.drawImage(
                QPoint(left + FirstCell + (w - mark.width()) / 2, y + (21 - mark.height()) / 2),
                graphics, mark);
        }
    }
    painter.setPen(QColor::fromRgb(0x0f, 0x62, 0xfe));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left + FirstCell + (board.cursorColumn - 1) * CellPitch - 2,
                     top + (board.cursorRow - 1) * RowPitch - 2, 29, 24);
    if (editMode) {
        painter.drawImage(QPoint(2, 3), graphics, BoardSheet::EditLabel);
    }
}

void DrawButtons(QPainter& painter, const std::map<std::string, QImage>& pictures, bool editMode) {
    if (editMode) {
        painter.fillRect(334, 0, 116, 326, Qt::black);
    }
    const std::vector<std::string> disabled = {"hintbtn", "newbtn",   "selbtn",
                                               "actcbtn", "delrwbtn", "clrhnbtn"};
    for (const ButtonPlace& button : Buttons) {
        if (button.editOnly && !editMode) {
            continue;
        }
        const bool off = std::find(disabled.begin(), disabled.end(), button.name) != disabled.end();
        const bool playOff = !editMode && std::string(button.name) == "hintbtn";
        const int frame = (editMode ? off : playOff) ? 1 : 0;
        const QImage& strip = pictures.at(button.name);
        painter.drawImage(QPoint(button.x, button.y), strip,
                          QRect(0, frame * button.frameHeight, strip.width(), button.frameHeight));
    }
}

// The border of the game area: a raised outer bevel, a maroon band and a lowered inner bevel.
void DrawBorder(QPainter& painter, QRect rect) {
    const QColor light(0xff, 0xff, 0xff);
    const QColor shadow(0xa0, 0xa0, 0xa0);
    auto bevel = [&](const QColor& topLeft, const QColor& bottomRight) {
        for (int i = 0; i < 2; ++i) {
            painter.fillRect(rect.left(), rect.top(), rect.width(), 1, topLeft);
            painter.fillRect(rect.left(), rect.top(), 1, rect.height(), topLeft);
            painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
            painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
            rect.adjust(1, 1, -1, -1);
        }
    };
    bevel(light, shadow);
    painter.fillRect(rect, QColor(0x80, 0x00, 0x00));
    rect.adjust(4, 4, -4, -4);
    bevel(shadow, light);
}

} // namespace

QImage MockWindow(const std::map<std::string, QImage>& pictures, bool editMode) {
    QImage window(466, 342, QImage::Format_RGB32);
    QPainter painter(&window);
    painter.fillRect(window.rect(), QBrush(pictures.at("tile")));
    DrawBorder(painter, window.rect());
    painter.translate(Border, Border);
    painter.drawImage(0, 0, pictures.at("screen"));
    DrawButtons(painter, pictures, editMode);
    if (editMode) {
        // The tallest board: ten rows, seven columns.
        const Board board{{"STAR", "START", "STARE", "TEARS", "TEA S", "TEAL", "STEAL", "STEALS",
                           "SLATES", "SALTIES"},
                          " AASCRAAXA",
                          {0, 4, 0, 1, 3, 0, 2, 0, 0, 0},
                          {false, true, false, true, false, false, false, false, false, false},
                          5,
                          4};
        DrawBoard(painter, pictures, board, true);
    } else {
        const Board board{{"COLD", "CORD", "C RD", "    ", "WARM"}, " CCCC", {0, 0, 0, 0, 0},
                          {false, false, false, false, false},      3,       2};
        DrawBoard(painter, pictures, board, false);
        const QImage& badge = pictures.at("badge");
        painter.drawImage(TitleBadge::At, badge, QRect(0, 0, badge.width(), badge.height() / 2));
        const QImage& win = pictures.at("youwin");
        painter.drawImage(QPoint(24, 236), win, QRect(0, 0, win.width(), win.height() / 2));
    }
    return window;
}
