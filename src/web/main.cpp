// SPDX-License-Identifier: GPL-3.0-or-later
// The rules in the browser's worker: the page's ops come in through km_call
// and its answers to the rules' questions through km_ask_page, which the
// worker's script provides and which returns only once the page has
// answered.

#include <emscripten/emscripten.h>

#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "web/binding.h"

extern "C" {
// In page_bridge.js: hands the question to the worker's script and gives
// the answer as a string made with malloc.
char* km_ask_page(const char* prompt);
}

namespace {

std::unique_ptr<km::web::Session> session;
std::string answer;

nlohmann::json AskPage(const nlohmann::json& prompt) {
  char* reply =
      km_ask_page(prompt.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
  const std::string text = reply ? reply : "null";
  std::free(reply);
  return nlohmann::json::parse(text, nullptr, false);
}

}  // namespace

extern "C" {

// Makes the running game over the data folder. `seed` below 0 leaves the
// chance source seeded from the clock.
EMSCRIPTEN_KEEPALIVE void km_init(const char* folder, double seed) {
  // Emscripten's process starts with a umask of 0777, which would make
  // every file the game writes unreadable to it in the in-memory file
  // system; a desktop session's usual mask.
  ::umask(022);
  std::optional<std::uint64_t> fixed;
  if (seed >= 0) fixed = static_cast<std::uint64_t>(seed);
  session = std::make_unique<km::web::Session>(AskPage, folder, fixed);
}

// One op as JSON; the answer stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* km_call(const char* request) {
  const auto parsed = nlohmann::json::parse(request, nullptr, false);
  nlohmann::json result;
  if (!session) {
    result = {{"error", "the game has not been started"}};
  } else if (parsed.is_discarded()) {
    result = {{"error", "the request is not JSON"}};
  } else {
    result = session->Call(parsed);
  }
  answer = result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return answer.c_str();
}

}  // extern "C"

int main() { return 0; }
