// The page's side of Quenchway: shows the game's frame on the canvas at the
// largest whole-number scale that fits, feeds it pointer, wheel and key
// input, and offers the hooks tests use (window.quenchway, see docs/development.md).
'use strict';

(function () {
  const kWidth = 240;
  const kHeight = 294;
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d');
  const ended = document.getElementById('ended');
  const game = window.quenchway = { ready: false, messages: [], notes: [] };

  // Called by the game.
  game.present = function (rgba, left, top, width, height) {
    context.putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), left, top);
    if (!game.ready) {
      game.firstFrameMs = performance.now();
      game.ready = true;
    }
  };
  // The browser's box, only for failures before the game has its art; the
  // game draws its own boxes in the frame and says when one opens.
  game.showMessage = function (text) {
    game.messages.push(text);
    window.alert(text);
  };
  game.messageOpened = function (text, ok) {
    game.messages.push(text);
    game.okButton = ok;
  };
  game.toggleFullscreen = function () {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(function () {});
    } else if (document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen().catch(function () {});
    }
  };
  // A level's code to the clipboard: false without a clipboard to write
  // to, and a refusal later shows the code in the game's box.
  game.copyText = function (text) {
    game.copied = text;
    if (!navigator.clipboard || !navigator.clipboard.writeText) return false;
    navigator.clipboard.writeText(text).catch(function () {
      if (started()) Module._qw_copy_refused();
    });
    return true;
  };
  // A theme's pictures, fetched only when that theme is used: the site's
  // theme-NAME.bin, the skin and the two strips gzipped (the service worker keeps it once
  // fetched, for playing offline).
  game.fetchThemeArt = function (name) {
    if (!window.DecompressionStream) return;
    fetch('theme-' + name + '.bin').then(function (response) {
      if (!response.ok) throw new Error(response.status);
      return new Response(response.body.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
    }).then(function (bytes) {
      game.themeArt = new Uint8Array(bytes);
      if (started()) passText(function (text) { Module._qw_theme_art(text, bytes.byteLength); }, name);
      game.themeArt = null;
    }).catch(function () {});
  };
  game.gameEnded = function () {
    running = false;
    ended.hidden = false;
    Module._qw_save();
  };

  // The editor's verdicts are searched by a worker that runs the game's own
  // code (verdict.js), so that the page takes every tap while it searches.
  // A request ends a search still running (a worker still loading takes the
  // newer level instead). False when the page cannot start a worker: the
  // game then searches at once.
  let verdicts = null;
  let loaded = false;
  let searching = false;
  game.searchVerdict = function (revision, level) {
    if (!window.Worker || game.noVerdictWorker) return false;
    if (verdicts && searching && loaded) {
      verdicts.terminate();
      verdicts = null;
    }
    if (!verdicts) {
      let worker;
      try {
        worker = new Worker('verdict.js');
      } catch (e) {
        game.noVerdictWorker = true;
        return false;
      }
      verdicts = worker;
      loaded = false;
      // What an ended worker still says is not heard.
      worker.onmessage = function (e) {
        if (worker !== verdicts) return;
        if (e.data.loaded) {
          loaded = true;
          return;
        }
        searching = false;
        if (started()) passText(function (text) { Module._qw_verdict_found(e.data.revision, text); }, e.data.answer);
      };
      worker.onerror = function (e) {
        e.preventDefault();
        if (worker !== verdicts) return;
        game.noVerdictWorker = true;
        verdicts = null;
        searching = false;
        if (started()) Module._qw_verdict_failed();
      };
    }
    searching = true;
    verdicts.postMessage({ revision: revision, level: level });
    return true;
  };

  // Script-mode commands against a fresh game; what script mode prints.
  game.script = function (text) {
    const size = Module.lengthBytesUTF8(text) + 1;
    const buffer = Module._malloc(size);
    Module.stringToUTF8(text, buffer, size);
    const result = Module.UTF8ToString(Module._qw_script(buffer));
    Module._free(buffer);
    return result;
  };

  // The largest whole number of device pixels per game pixel that fits,
  // centred; at least one.
  function fit() {
    const ratio = window.devicePixelRatio || 1;
    const scale = Math.max(1, Math.floor(Math.min(window.innerWidth * ratio / kWidth,
                                                  window.innerHeight * ratio / kHeight)));
    const width = kWidth * scale / ratio;
    const height = kHeight * scale / ratio;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.style.left = Math.max(0, Math.floor((window.innerWidth - width) / 2)) + 'px';
    canvas.style.top = Math.max(0, Math.floor((window.innerHeight - height) / 2)) + 'px';
    game.scale = scale;
  }
  window.addEventListener('resize', fit);
  fit();

  // True while a game runs; input before the game starts or after it ended is dropped.
  let running = false;
  function started() { return running; }
  function start() {
    const media = function (query) { return window.matchMedia && window.matchMedia(query).matches; };
    const reduced = media('(prefers-reduced-motion: reduce)');
    // High contrast, else Dark, else Classic, until the player chooses.
    const theme = media('(prefers-contrast: more)') ? 2 : media('(prefers-color-scheme: dark)') ? 1 : 0;
    running = Module._qw_start(reduced ? 1 : 0, theme) === 1;
    ended.hidden = running;
    openLevel();
  }
  function passText(fn, text) {
    const size = Module.lengthBytesUTF8(text) + 1;
    const buffer = Module._malloc(size);
    Module.stringToUTF8(text, buffer, size);
    fn(buffer);
    Module._free(buffer);
  }
  // An address ending in #level=CODE opens that level; a bad code is refused
  // in the game's box and the game plays on.
  function openLevel() {
    const match = /^#level=(.*)$/.exec(window.location.hash);
    if (match && started()) passText(Module._qw_start_level, match[1]);
  }
  window.addEventListener('hashchange', openLevel);
  // Ctrl+V stays the browser's, whose paste hands the game the text.
  document.addEventListener('paste', function (e) {
    if (!started() || !e.clipboardData) return;
    e.preventDefault();
    passText(Module._qw_paste, e.clipboardData.getData('text/plain') || '');
  });

  // Sound starts with the player's first tap or key, as browsers require: the
  // audio context opens then, and the game hands it its sounds.
  function openAudio() {
    if (game.audio || !(window.AudioContext || window.webkitAudioContext)) return;
    const context = new (window.AudioContext || window.webkitAudioContext)();
    const buffers = [];
    const playing = [];
    game.audio = {
      load: function (index, samples, rate) {
        const buffer = context.createBuffer(1, samples.length, rate);
        const data = buffer.getChannelData(0);
        for (let i = 0; i < samples.length; ++i) data[i] = samples[i] / 32768;
        buffers[index] = buffer;
      },
      play: function (index, volume, loop) {
        if (!buffers[index]) return;
        const source = context.createBufferSource();
        const gain = context.createGain();
        source.buffer = buffers[index];
        source.loop = loop === 1;
        gain.gain.value = volume / 100;
        source.connect(gain).connect(context.destination);
        source.start();
        const voice = { index: index, source: source, gain: gain };
        playing.push(voice);
        source.onended = function () { playing.splice(playing.indexOf(voice), 1); };
      },
      stop: function (index) {
        for (const voice of playing) {
          if (voice.index !== index || voice.stopping) continue;
          voice.stopping = true;
          // A short fade, so that the sound ends without a click.
          voice.gain.gain.setTargetAtTime(0, context.currentTime, 0.003);
          voice.source.stop(context.currentTime + 0.02);
        }
      },
    };
  }

  // One pointer is the pen: the mouse's left button, a pen, or the first
  // finger on the screen.
  function pointer(kind, e) {
    if (!started()) return;
    const r = canvas.getBoundingClientRect();
    const x = Math.floor((e.clientX - r.left) * kWidth / r.width);
    const y = Math.floor((e.clientY - r.top) * kHeight / r.height);
    Module._qw_pointer(kind, x, y);
  }
  canvas.addEventListener('pointerdown', function (e) {
    if (!e.isPrimary || (e.pointerType === 'mouse' && e.button !== 0)) return;
    e.preventDefault();
    openAudio();
    canvas.setPointerCapture(e.pointerId);
    pointer(0, e);
  });
  canvas.addEventListener('pointermove', function (e) {
    if (e.isPrimary) pointer(1, e);
  });
  canvas.addEventListener('pointerup', function (e) {
    if (!e.isPrimary || (e.pointerType === 'mouse' && e.button !== 0)) return;
    pointer(2, e);
  });
  // The system took the touch away: the pen is lifted where it was.
  canvas.addEventListener('pointercancel', function (e) {
    if (e.isPrimary) pointer(2, e);
  });
  canvas.addEventListener('pointerleave', function (e) {
    if (e.isPrimary && !canvas.hasPointerCapture(e.pointerId) && started()) Module._qw_pointer(3, 0, 0);
  });
  // No scrolling, zooming or context menu while playing.
  for (const type of ['touchstart', 'touchmove', 'gesturestart', 'contextmenu']) {
    document.addEventListener(type, function (e) { e.preventDefault(); }, { passive: false });
  }
  canvas.addEventListener('wheel', function (e) {
    e.preventDefault();
    if (started() && e.deltaY !== 0) Module._qw_wheel(e.deltaY < 0 ? 1 : -1);
  }, { passive: false });

  const kKeys = ['Escape', 'Enter', ' ', 'Backspace', 'Delete', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'];
  document.addEventListener('keydown', function (e) {
    // F11 and the browser's own shortcuts stay the browser's, but for the
    // game's undo and redo (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z).
    const undoRedo = e.ctrlKey && !e.altKey && !e.metaKey && /^[zy]$/i.test(e.key);
    if (e.key === 'F11' || ((e.ctrlKey || e.metaKey) && !undoRedo) || !started()) return;
    const letter = e.key.length === 1 && /[a-z]/i.test(e.key);
    if (!letter && kKeys.indexOf(e.key) < 0) return;
    e.preventDefault();
    openAudio();
    const size = Module.lengthBytesUTF8(e.key) + 1;
    const name = Module._malloc(size);
    Module.stringToUTF8(e.key, name, size);
    Module._qw_key(name, e.altKey ? 1 : 0, e.repeat ? 1 : 0, e.ctrlKey ? 1 : 0, e.shiftKey ? 1 : 0);
    Module._free(name);
  });

  // pointerup, not click: the page cancels touches, and with them the
  // clicks a finger would make.
  ended.addEventListener('pointerup', function () {
    start();
  });

  // The time played is kept when the page goes out of sight (another tab,
  // the phone's home screen, the tab closing); every step is kept anyway.
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden' && started()) Module._qw_save();
  });
  // The service worker keeps this version of the game for playing offline;
  // registered once the page has loaded, so that it never delays the game.
  // On a later visit it looks for a newly published version at once, which
  // then waits until no page of this one is open.
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', function () {
      navigator.serviceWorker.register('sw.js').then(function (registration) {
        if (navigator.serviceWorker.controller) return registration.update();
      }).catch(function () {});
    });
  }
  // Asks the browser to keep the game's storage when space runs short; the
  // browser decides, and may ask the player itself.
  if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(function () {});

  window.Module = {
    onRuntimeInitialized: start,
  };
})();
