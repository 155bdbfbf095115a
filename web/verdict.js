// The editor's verdicts off the page's thread: this worker loads the game's
// own code (quenchway.js and quenchway.wasm, which the page has fetched and
// the service worker keeps) and answers each level the page sends with
// {revision, answer}, the latest one sent while it loads (it says {loaded}
// once it has). The page ends a worker whose search an edit made stale and
// starts another.
'use strict';

let ready = false;
let asked = null;

function answer() {
  if (!ready || !asked) return;
  const level = asked.level;
  const revision = asked.revision;
  asked = null;
  const size = Module.lengthBytesUTF8(level) + 1;
  const buffer = Module._malloc(size);
  Module.stringToUTF8(level, buffer, size);
  const text = Module.UTF8ToString(Module._qw_verdict(buffer));
  Module._free(buffer);
  postMessage({ revision: revision, answer: text });
}

self.onmessage = function (e) {
  asked = e.data;
  answer();
};
self.Module = {
  onRuntimeInitialized: function () {
    ready = true;
    postMessage({ loaded: true });
    answer();
  },
};
importScripts('quenchway.js');
