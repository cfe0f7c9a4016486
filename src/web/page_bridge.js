// SPDX-License-Identifier: GPL-3.0-or-later
// The rules' questions leave the WebAssembly here: Module.askPage (set by
// the worker's script) posts the question to the page and blocks the worker
// until the answer is there.
mergeInto(LibraryManager.library, {
  km_ask_page__deps: ['$stringToNewUTF8'],
  km_ask_page: function (prompt) {
    var reply = Module['askPage'](UTF8ToString(prompt));
    return stringToNewUTF8(reply);
  },
});
