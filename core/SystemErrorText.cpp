// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SystemErrorText.h"

#include <cerrno>
#include <system_error>

#include "core/Messages.h"
#include "core/Utf8.h"

namespace tav {
namespace {

const char* FixedText(int errorCode) {
  switch (errorCode) {
    case ENOENT:
      return msg::kFileNotFound;
    case EACCES:
    case EPERM:
      return msg::kAccessDenied;
    case EISDIR:
      return msg::kIsAFolder;
    case ENOTDIR:
      return msg::kNotAFolder;
    case ENOSPC:
      return msg::kDiskFull;
    case EDQUOT:
      return msg::kQuotaExceeded;
    case EFBIG:
      return msg::kFileTooLarge;
    case EROFS:
      return msg::kReadOnlyDisk;
    case ENAMETOOLONG:
      return msg::kNameTooLong;
    case ELOOP:
      return msg::kTooManyLinks;
    case EMFILE:
    case ENFILE:
      return msg::kTooManyOpenFiles;
    case ENOMEM:
      return msg::kNoMemory;
    case EIO:
      return msg::kDiskIoError;
    case EBUSY:
    case ETXTBSY:
      return msg::kFileInUse;
    case EEXIST:
      return msg::kFileExists;
    case EINVAL:
      return msg::kInvalidParameter;
    case EXDEV:
      return msg::kOtherDrive;
    case ENXIO:
    case ENODEV:
      return msg::kNoSuchDevice;
    default:
      return nullptr;
  }
}

}  // namespace

std::string SystemErrorText(int errorCode) {
  if (const char* text = FixedText(errorCode)) return text;
  // The C library's text follows LC_MESSAGES and may be UTF-8; messages are Windows-1252.
  const std::string system = std::generic_category().message(errorCode);
  return Utf8ToCp1252(system).value_or(system);
}

}  // namespace tav
