// Dialogs for tests: records every message, answers from a queue, and fails
// the running test on a message or file dialog nobody expected. Unused
// answers left at the end fail the test too.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "Dialogs.h"

namespace trevalco::testing {

class ScriptedDialogs final : public dialogs::Dialogs {
public:
    ScriptedDialogs() = default;
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The answer to the next message box.
    void Answer(dialogs::Answer answer) { answers_.push_back(answer); }
    // The answer to the next file dialog (nothing: the user cancels).
    void ChooseFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // The answer to the next file-save dialog (nothing: the user cancels).
    void ChooseSaveFile(std::optional<std::string> path) { saves_.push_back(std::move(path)); }

    dialogs::Answer Show(const dialogs::Message& message) override;
    std::optional<std::string> ChooseFileToOpen(const dialogs::OpenFileRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const dialogs::SaveFileRequest& request) override;
    void ShowTable(const dialogs::Table& table) override { tables_.push_back(table); }

    const std::vector<dialogs::Message>& Messages() const { return messages_; }
    const std::vector<dialogs::OpenFileRequest>& FileRequests() const { return fileRequests_; }
    const std::vector<dialogs::SaveFileRequest>& SaveRequests() const { return saveRequests_; }
    const std::vector<dialogs::Table>& Tables() const { return tables_; }

private:
    std::deque<dialogs::Answer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<dialogs::Message> messages_;
    std::vector<dialogs::OpenFileRequest> fileRequests_;
    std::deque<std::optional<std::string>> saves_;
    std::vector<dialogs::SaveFileRequest> saveRequests_;
    std::vector<dialogs::Table> tables_;
};

}  // namespace trevalco::testing
