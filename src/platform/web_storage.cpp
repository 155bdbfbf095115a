#include "platform/web_storage.h"

#include <emscripten.h>

#include <cstdlib>
#include <ctime>

#include "platform/files.h"

namespace qw::web {

namespace {

// The text, in memory the caller frees, its length in bytes in *length;
// null with *status 1 for no such key, 2 when the browser throws.
EM_JS(char*, JsReadStored, (const char* key, int* status, int* length), {
  let text;
  try {
    text = window.localStorage.getItem(UTF8ToString(key));
  } catch (e) {
    HEAP32[status >> 2] = 2;
    return 0;
  }
  if (text == null) {
    HEAP32[status >> 2] = 1;
    return 0;
  }
  HEAP32[status >> 2] = 0;
  const size = lengthBytesUTF8(text) + 1;
  const buffer = _malloc(size);
  stringToUTF8(text, buffer, size);
  HEAP32[length >> 2] = size - 1;
  return buffer;
});

EM_JS(int, JsWriteStored, (const char* key, const char* text), {
  try {
    window.localStorage.setItem(UTF8ToString(key), UTF8ToString(text));
    return 1;
  } catch (e) {
    return 0;
  }
});

EM_JS(int, JsRemoveStored, (const char* key), {
  try {
    window.localStorage.removeItem(UTF8ToString(key));
    return 1;
  } catch (e) {
    return 0;
  }
});

}  // namespace

StoredText ReadStored(const std::string& key) {
  int status = 0;
  int length = 0;
  char* text = JsReadStored(key.c_str(), &status, &length);
  StoredText read;
  read.status = status == 0   ? StoredText::Status::Ok
                : status == 1 ? StoredText::Status::Missing
                              : StoredText::Status::Refused;
  if (text != nullptr) {
    read.text.assign(text, static_cast<std::size_t>(length));
    std::free(text);
  }
  return read;
}

bool WriteStored(const std::string& key, const std::string& text) {
  return JsWriteStored(key.c_str(), text.c_str()) != 0;
}

bool RemoveStored(const std::string& key) { return JsRemoveStored(key.c_str()) != 0; }

std::string KeepStoredAside(const std::string& key, const std::string& text) {
  const std::string stamp = key + ".bad-" + UtcStamp(std::time(nullptr));
  for (int n = 1; n < 100; ++n) {
    const std::string aside = n == 1 ? stamp : stamp + "-" + std::to_string(n);
    const StoredText there = ReadStored(aside);
    if (there.status == StoredText::Status::Refused) return {};
    if (there.status == StoredText::Status::Missing)
      return WriteStored(aside, text) && RemoveStored(key) ? aside : std::string();
  }
  return {};
}

}  // namespace qw::web
