#include "app/web_own_levels.h"

#include <memory>

#include "platform/utf8.h"
#include "platform/web_storage.h"

namespace qw {

namespace {

constexpr const char* kRefused = "the browser refuses to keep them";

}  // namespace

OwnLevelStore::Read WebOwnLevelStore::ReadAll() {
  const web::StoredText stored = web::ReadStored(kWebOwnLevelsKey);
  lastRead_.reset();
  Read read;
  if (stored.status == web::StoredText::Status::Missing) return read;
  read.status = Read::Status::Failed;
  if (stored.status == web::StoredText::Status::Refused) {
    read.error = kRefused;
    return read;
  }
  lastRead_ = stored.text;
  if (stored.text.size() > 2 * kMaxOwnLevelsBytes) {
    read.error = "more than a level file holds";
    return read;
  }
  for (const wchar_t c : FromUtf8(stored.text)) {
    if (c > 0xFF) {
      read.error = "a character a level file cannot hold";
      return read;
    }
    read.bytes.push_back(static_cast<char>(c));
  }
  read.status = Read::Status::Ok;
  return read;
}

std::string WebOwnLevelStore::KeepAside(std::string* error) {
  std::string aside =
      lastRead_ ? web::KeepStoredAside(kWebOwnLevelsKey, *lastRead_) : std::string();
  if (aside.empty()) *error = kRefused;
  return aside;
}

bool WebOwnLevelStore::WriteAll(const std::string& bytes, std::string* error) {
  std::wstring text;
  for (const char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  if (web::WriteStored(kWebOwnLevelsKey, ToUtf8(text))) return true;
  *error = kRefused;
  return false;
}

OwnLevels& WebOwnLevels() {
  // Lives as long as the page; the browser has no terminal for its notes.
  static OwnLevels levels(std::make_unique<WebOwnLevelStore>(), nullptr);
  return levels;
}

}  // namespace qw
