#include "platform/ErrorText.h"

#include <cerrno>
#include <cstring>

namespace orvexp {

std::string ErrorText(int error)
{
    switch (error) {
    case ENOSPC: return "ディスクがいっぱいです";
    case EDQUOT: return "ディスクの使用量の上限を超えています";
    case EACCES: return "アクセスが拒否されました";
    case EPERM: return "この操作は許可されていません";
    case EROFS: return "読み取り専用のファイルシステムです";
    case ENOENT: return "ファイルまたはフォルダがありません";
    case ENOTDIR: return "パスの途中にフォルダでないものがあります";
    case EISDIR: return "フォルダです";
    case ENAMETOOLONG: return "名前が長すぎます";
    case ELOOP: return "シンボリックリンクが多すぎます";
    case EIO: return "入出力エラーです";
    case EFBIG: return "ファイルが大きすぎます";
    case ENOMEM: return "メモリが足りません";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    case EBUSY:
    case ETXTBSY: return "使用中です";
    case ENXIO:
    case ENODEV: return "通常のファイルではありません";
    default: return std::strerror(error);
    }
}

} // namespace orvexp
