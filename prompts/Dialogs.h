// The one way the program talks to the user in modal boxes: message boxes,
// the file-open and file-save dialogs and a table of rows to read. The window uses QtDialogs; tests use a scripted
// implementation. Plain C++ (UTF-8 texts), so code without widgets, such as
// a batch run, can take it too.
#pragma once

#include <optional>
#include <string>
#include <vector>


namespace trevalco::dialogs {

// The icon a message box shows.
enum class MessageIcon { None, Information, Exclamation, Critical };

// Yes and No answer as Ok and Cancel.
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel };

// The application's title, shown by a box that has no title of its own.
inline constexpr const char* kApplicationTitle = "Trevalco";

struct Message {
    // Lines may be separated by "\r", "\n" or "\r\n"; each shows as a line.
    std::string text;
    // Empty: the box shows the application's title.
    std::string title;
    MessageIcon icon = MessageIcon::None;
    Buttons buttons = Buttons::Ok;
};

// One entry of a file dialog's filter: "Archivos de Microsoft Excel", "*.xls".
struct FileFilter {
    std::string description;
    std::string pattern;
};

struct OpenFileRequest {
    std::vector<FileFilter> filters;
    std::string title;          // empty: the dialog's own
    std::string initialFolder;  // empty: the dialog's own
};

// A file to write: the filters (the first one whose pattern matches the
// suggested name is the one shown) and the name suggested.
struct SaveFileRequest {
    std::vector<FileFilter> filters;
    std::string title;          // empty: the dialog's own
    std::string suggestedPath;  // folder and name the dialog opens with
};

// Rows of a few columns for the user to read, such as the features a
// conversion left out and why.
struct Table {
    std::string title;
    std::string heading;  // a line above the rows
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box and returns the button pressed. Closing the
    // box without a button counts as Cancel when it has one, else as OK.
    virtual Answer Show(const Message& message) = 0;

    // Asks for an existing file to open; nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) = 0;

    // Asks for a file to write, confirming the replacement of one that is
    // there; nothing when the user cancels. A front end without such a
    // dialog (a terminal) answers as a user who cancels.
    virtual std::optional<std::string> ChooseFileToSave(const SaveFileRequest& /*request*/) { return std::nullopt; }

    // Shows a table of rows until the user closes it. A front end without
    // tables shows nothing.
    virtual void ShowTable(const Table& /*table*/) {}

protected:
    Dialogs() = default;
    Dialogs(const Dialogs&) = default;
    Dialogs& operator=(const Dialogs&) = default;
};

}  // namespace trevalco::dialogs
