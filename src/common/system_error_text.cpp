#include "common/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace tvx {

std::string SystemErrorText(int errnum) {
    switch (errnum) {
        case ENOSPC:
            return "ディスクの空き容量が足りません";
        case EDQUOT:
            return "ディスクの使用量の上限に達しました";
        case EACCES:
        case EPERM:
            return "アクセス権がありません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENOENT:
            return "ファイルまたはフォルダーがありません";
        case ENOTDIR:
            return "パスの途中にフォルダーでないものがあります";
        case EISDIR:
            return "フォルダーです";
        case ENAMETOOLONG:
            return "名前が長すぎます";
        case EIO:
            return "入出力エラーが起きました";
        case EBUSY:
        case ETXTBSY:
            return "使用中です";
        case EFBIG:
            return "ファイルが大きすぎます";
        case EMFILE:
        case ENFILE:
            return "開いているファイルが多すぎます";
        case ELOOP:
            return "シンボリックリンクが循環しています";
        default:
            return std::strerror(errnum);
    }
}

}  // namespace tvx
