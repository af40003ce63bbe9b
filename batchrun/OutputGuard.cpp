#include "OutputGuard.h"

#include <system_error>

#include "Leftovers.h"
#include "OutputName.h"
#include "RunMessages.h"

namespace trevalco::batch {

std::optional<std::filesystem::path> OutputPathOf(const std::string& sourcePath) {
    const auto format = workbook::FormatOfPath(std::filesystem::path(sourcePath));
    if (!format) return std::nullopt;
    return std::filesystem::path(
        output::OutputPathFor(sourcePath, workbook::ExtensionOf(*format)));
}

OutputGuard::OutputGuard(std::filesystem::path output, dialogs::Dialogs& dialogs)
    : output_(std::move(output)), dialogs_(dialogs) {
    if (!output_.empty()) recoveryPath_ = Base().string() + " (incompleto)" + output_.extension().string();
}

OutputGuard::~OutputGuard() { Abandon(); }

OutputGuard::Hold OutputGuard::Take() {
    if (output_.empty()) return Hold::Held;  // not a workbook: opening it says so
    try {
        pid_t holder = 0;
        lock_ = output::OutputLock::Take(output_, &holder);
        if (!lock_) {
            dialogs_.Show(OutputInUseMessage(output_.string(), holder));
            return Hold::InUse;
        }
    } catch (const workbook::WorkbookError& error) {
        dialogs_.Show(WorkbookFailure(error.what()));
        return Hold::Failed;
    }
    output::RemoveLeftovers(output_.parent_path());
    return Hold::Held;
}

std::filesystem::path OutputGuard::Base() const {
    return std::filesystem::path(output_).replace_extension();
}

bool OutputGuard::CheckOfficeLock(ExistingOutput policy, std::optional<output::OfficeLockOwner>& owner) {
    if (output_.empty()) return true;
    auto found = output::ReadOfficeLock(output_);
    if (!found) return true;
    switch (policy) {
        case ExistingOutput::Replace: return true;
        case ExistingOutput::Ask:
            if (dialogs_.Show(OfficeLockQuestion(output_.string(), *found)) == dialogs::Answer::Ok) {
                replaceAgreed_ = true;
                return true;
            }
            break;
        case ExistingOutput::Refuse: break;
    }
    owner = std::move(found);
    return false;
}

bool OutputGuard::DecideOnExisting(ExistingOutput policy) {
    const auto existing = OnExisting(policy);
    if (existing) existing_ = *existing;
    return existing.has_value();
}

std::optional<output::ExistingFile> OutputGuard::OnExisting(ExistingOutput policy) {
    std::error_code error;
    if (output_.empty() || !std::filesystem::exists(output_, error))
        return output::ExistingFile::Keep;
    if (replaceAgreed_) return output::ExistingFile::Replace;
    switch (policy) {
        case ExistingOutput::Replace: return output::ExistingFile::Replace;
        case ExistingOutput::Ask:
            if (dialogs_.Show(ReplaceOutputQuestion(output_.string())) == dialogs::Answer::Ok)
                return output::ExistingFile::Replace;
            break;
        case ExistingOutput::Refuse:
            refuseExisting_ = true;
            return output::ExistingFile::Keep;
    }
    return std::nullopt;
}

void OutputGuard::SaveRecovery(workbook::Workbook& book) {
    book.SaveAs(recoveryPath_);
    wroteRecovery_ = true;
}

std::filesystem::path OutputGuard::Commit(workbook::Workbook& book) {
    const std::filesystem::path written = book.SaveAs(Base(), existing_);
    RemoveRecovery(true);
    return written;
}

void OutputGuard::Abandon() noexcept { RemoveRecovery(false); }

void OutputGuard::RemoveRecovery(bool evenIfNotOurs) noexcept {
    if (recoveryPath_.empty() || (!wroteRecovery_ && !evenIfNotOurs)) return;
    std::error_code error;
    std::filesystem::remove(recoveryPath_, error);
    wroteRecovery_ = false;
}

}  // namespace trevalco::batch
