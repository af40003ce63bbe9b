// The safekeeping of a batch run's output workbook, from the run's start to
// its end. The output's name only ever holds a complete output: the final
// save is written beside it and moved into place in one step, never over a
// file the run was not allowed to replace. Interim saves go to a recovery
// file, "<stem>_1 (incompleto)", removed when the run ends (only a crash
// leaves it). The guard holds a lock on the output for as long as it lives:
// a second run on the same output is refused.
//
//   OutputGuard guard(output, dialogs);
//   if (guard.Take() != OutputGuard::Hold::Held) ...
//   if (!guard.CheckOfficeLock(policy, owner)) ...
//   if (!guard.DecideOnExisting(policy)) ...
//   guard.SaveRecovery(book);             // now and then
//   path written = guard.Commit(book);    // or Abandon()
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "Dialogs.h"
#include "OfficeLock.h"
#include "OutputLock.h"
#include "PendingFile.h"
#include "Workbook.h"

namespace trevalco::batch {

// What to do when the output workbook exists already: ask the user, replace
// it, or end the run at once (KeptOutput, no message).
enum class ExistingOutput { Ask, Replace, Refuse };

// The output workbook of a source path (its folder, stem, "_1" and the
// extension of the format written); nothing when the path names no workbook
// format.
std::optional<std::filesystem::path> OutputPathOf(const std::string& sourcePath);

class OutputGuard {
public:
    // Guards `output`. An empty path (a source of no workbook format, which
    // opening refuses) guards nothing: every step lets the run go on.
    OutputGuard(std::filesystem::path output, dialogs::Dialogs& dialogs);
    ~OutputGuard();  // removes the recovery file it wrote, then releases the lock
    OutputGuard(const OutputGuard&) = delete;
    OutputGuard& operator=(const OutputGuard&) = delete;

    const std::filesystem::path& Path() const { return output_; }

    enum class Hold {
        Held,    // the lock is taken (or there is nothing to guard)
        InUse,   // another run holds the output (message shown)
        Failed,  // the lock file could not be made (message shown)
    };
    // Takes the output's lock, then sweeps what killed runs left in its folder.
    Hold Take();
    // False when LibreOffice has the output open and the run must end; who
    // has it open then goes to `owner`.
    bool CheckOfficeLock(ExistingOutput policy, std::optional<output::OfficeLockOwner>& owner);
    // Settles whether the final save may replace an existing output. False
    // when the user would not have it replaced and the run must end.
    bool DecideOnExisting(ExistingOutput policy);
    // The output exists and may not be replaced: the run ends once it knows
    // the workbook could be worked on.
    bool RefusesExisting() const { return refuseExisting_; }

    // An interim save: the workbook as it stands, to the recovery file.
    void SaveRecovery(workbook::Workbook& book);
    // The final save, moved into place as settled; then the recovery file
    // goes, even one an earlier run left. Returns the path written.
    std::filesystem::path Commit(workbook::Workbook& book);
    // Removes the recovery file this run wrote; one that an earlier, crashed
    // run left is the user's until a complete output takes its place.
    void Abandon() noexcept;

private:
    // The output's path without its extension: what SaveAs is given.
    std::filesystem::path Base() const;
    // What the final save may do to an existing output; nothing when the
    // run must end.
    std::optional<output::ExistingFile> OnExisting(ExistingOutput policy);
    void RemoveRecovery(bool evenIfNotOurs) noexcept;

    std::filesystem::path output_;
    dialogs::Dialogs& dialogs_;
    std::optional<output::OutputLock> lock_;
    std::filesystem::path recoveryPath_;
    output::ExistingFile existing_ = output::ExistingFile::Keep;
    bool wroteRecovery_ = false;
    bool replaceAgreed_ = false;   // the user agreed to replace the output already
    bool refuseExisting_ = false;  // the output exists and may not be replaced
};

}  // namespace trevalco::batch
