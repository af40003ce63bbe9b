// The one way the program talks to the user in modal boxes: message boxes and
// the file-open dialog. The window uses QtDialogs; tests use a scripted
// implementation. Plain C++ (UTF-8 texts), so code without widgets, such as
// a batch run, can take it too.
#pragma once

#include <optional>
#include <string>
#include <vector>


namespace trevalco::dialogs {

// The icon a message box shows.
enum class MessageIcon { None, Information, Exclamation, Critical };

enum class Buttons { Ok, OkCancel };
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

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box and returns the button pressed. Closing the
    // box without a button counts as Cancel when it has one, else as OK.
    virtual Answer Show(const Message& message) = 0;

    // Asks for an existing file to open; nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) = 0;

protected:
    Dialogs() = default;
    Dialogs(const Dialogs&) = default;
    Dialogs& operator=(const Dialogs&) = default;
};

}  // namespace trevalco::dialogs
