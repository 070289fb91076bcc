#include "core/SystemErrors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace zepo {

std::string ReasonOfError(int error) {
    // The causes a user can mend come first; the rest say what happened in plain words.
    static const std::pair<int, const char*> kReasons[] = {
        {ENOENT, "ファイルまたはフォルダがありません"},
        {EACCES, "読み書きする権限がありません"},
        {EPERM, "その操作は許されていません"},
        {EROFS, "読み取り専用の場所のため、書き込めません"},
        {ENOSPC, "ディスクの空きが足りません"},
        {EDQUOT, "使えるディスクの量を超えています"},
        {EISDIR, "同じ名前のフォルダがあります"},
        {ENOTDIR, "途中の名前がフォルダではありません"},
        {ENAMETOOLONG, "名前が長すぎます"},
        {EEXIST, "同じ名前のものがすでにあります"},
        {EFBIG, "ファイルが大きすぎます"},
        {EIO, "ディスクの読み書きに失敗しました（ディスクやUSBメモリを確かめてください）"},
        {ELOOP, "リンクをたどれません"},
        {EBUSY, "ほかで使用中です"},
        {ETXTBSY, "ほかで使用中です"},
        {EMFILE, "開いているファイルが多すぎます"},
        {ENFILE, "開いているファイルが多すぎます"},
        {ENOMEM, "メモリが足りません"},
        {EXDEV, "別のディスクへは移せません"},
        {EINVAL, "名前か操作が正しくありません"},
        {ENODEV, "装置がありません"},
        {ENXIO, "装置がありません"},
        {ENOTEMPTY, "フォルダが空ではありません"},
        {ESTALE, "ネットワーク上のファイルが見つからなくなりました"},
    };
    for (const auto& [number, reason] : kReasons)
        if (number == error) return reason;
    return "システムのエラー（番号 " + std::to_string(error) + "）";
}

std::string ReasonOfError(const std::error_code& error) {
    // The file system library reports errno values in both categories on this system.
    if (error.category() == std::generic_category() || error.category() == std::system_category())
        return ReasonOfError(error.value());
    return error.message();
}

std::string WhyUnreadable(const std::string& file) {
    // Not blocking on a pipe a hostile name may point at: opened without waiting, then checked.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return ReasonOfError(errno);
    struct stat st;
    std::string why;
    if (::fstat(fd, &st) != 0) why = ReasonOfError(errno);
    else if (S_ISDIR(st.st_mode)) why = "フォルダのため、読めません";
    else if (!S_ISREG(st.st_mode)) why = "ふつうのファイルではありません";
    ::close(fd);
    return why;
}

}  // namespace zepo
