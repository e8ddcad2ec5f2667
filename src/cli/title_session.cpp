#include "title_session.h"

#include <cstdio>
#include <filesystem>

#include "dvd/vtsi_reader.h"
#include "exit_status.h"
#include "platform/binary_file.h"
#include "platform/platform.h"
#include "project/project_file.h"
#include "scan/vob_scanner.h"

namespace velmorin::cli {

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(nativePath(path), error);
    return error ? path : utf8Path(absolute.lexically_normal());
}

TitleSession::TitleSession(const TitleArguments& args) : args_(args), ui_(args.answer) {}

Failure TitleSession::open() {
    if (!args_.projectFile.empty()) {
        if (!loadProject(absolutePath(args_.projectFile), *state_, list_, ui_)) return kFailed;
        if (state_->gopTable.gopCount == 0) {
            std::fputs("velmorin-cli: no GOP in the project\n", stderr);
            return kFailed;
        }
        return kSucceeded;
    }
    auto& options = state_->sourceOptions;
    options.fastRead = !args_.fullRead;
    options.chapterMethod = args_.chapterMethod;
    options.interleaveCheck = args_.interleaveCheck;
    auto& files = state_->inputFiles;
    files.fileCount = 0;
    if (!args_.vtsiFile.empty()) {
        // As the source dialog does with "VTSI情報でﾘｰﾄﾞ" on.
        options.readByVtsi = true;
        const auto vtsi = nativePath(absolutePath(args_.vtsiFile));
        if (!readVtsi(utf8Path(vtsi.parent_path()), utf8Path(vtsi.filename()), options,
                      state_->chapterInfo, files, ui_, systemPlatform()))
            return kFailed;
    }
    for (const auto& path : args_.vobFiles)
        files.filePath[static_cast<std::size_t>(files.fileCount++)] = absolutePath(path);

    shell_.busy = true;
    shell_.cancelRequested = false;
    const bool ok = VobScanner(scanTargetOf(*state_, shell_), ui_, list_, buffer_).run();
    shell_.busy = false;
    if (!ok) return kFailed;
    if (state_->gopTable.gopCount == 0) {
        // The program opens such a title as an empty list; a script asking for its GOPs
        // has nothing to work on.
        std::fputs("velmorin-cli: no GOP found: the title holds no navigation pack\n", stderr);
        return kFailed;
    }
    return kSucceeded;
}

bool TitleSession::refusesAsOutput(const std::string& out) const {
    if (!state_->inputFiles.holdsFile(out)) return false;
    std::fprintf(stderr,
                 "velmorin-cli: %s is one of the title's input files; nothing was written\n",
                 out.c_str());
    return true;
}

}  // namespace velmorin::cli
