// The page's widgets, started by start.js at the first paint (with what the user did before): the
// cursor moves at once, and what the user picks or presses before the quiz's code has started
// waits for it, in order. The code is emscripten's module, started by start.js through its
// documented settings (Module.wasmBinary, postRun). bitkiShared, written before this by the build,
// holds what the code numbers and names: the elements, their ids, the browse moves, the calls.
var Module = {};

// The page's widgets over the elements that the build drew. They keep what only the screen
// needs (the cursor row, the caret); the rows, the pick and the text belong to the C++ controls.
var bitkiPage = (function () {
  'use strict';

  var uniqueIds = 0;

  // Line starts as the build writes them into the page: numbers separated by blanks.
  function starts(lines) {
    return lines.split(' ').map(Number);
  }

  // What the user did before the game had loaded (picks, presses, the keys whose rows the game
  // finds), played in order once it has.
  var waiting = [];

  var Shared = bitkiShared;
  function call(name) {
    return Module[Shared.call[name]].apply(null, Array.prototype.slice.call(arguments, 1));
  }

  // After the browser has drawn a frame (and with it told assistive technology what changed), or
  // at once in a tab out of sight, which draws none.
  function afterFrame(then) {
    var done = false;
    var once = function () {
      if (!done) {
        done = true;
        then();
      }
    };
    requestAnimationFrame(function () { setTimeout(once); });
    if (document.hidden) {
      once();
    }
  }

  function whenLoaded(action) {
    if (waiting) {
      waiting.push(action);
    } else {
      action();
    }
  }

  // The game's browsing rules for a list, asked of the C++ side, where the rows are.
  var Browse = Shared.browse;
  function browse(list, move, value, now) {
    return call('browse', list.index, list.cursor, move, value, now || 0);
  }

  // After main: the game is loaded and shown.
  Module.postRun = [function () {
    var actions = waiting;
    waiting = null;
    actions.forEach(function (action) { action(); });
  }];

  // A pick list in the listbox pattern: arrows, Home, End, the page keys and typed letters move
  // the cursor; only Space, Enter, a click or a tap picks. A native select would pick on arrows.
  function PickList(element, index) {
    this.element = element;
    this.index = index;
    this.cursor = -1;
    element.addEventListener('keydown', this.onKey.bind(this));
    element.addEventListener('click', this.onClick.bind(this));
    element.addEventListener('focus', this.onFocus.bind(this));
    element.addEventListener('blur', this.onBlur.bind(this));
    this.count();
  }

  PickList.prototype.rows = function () {
    return this.element.children;
  };

  // Every row says how many there are and where it stands: a screen reader that is not told counts
  // only the rows in sight (Orca 48 said 7 of 10).
  PickList.prototype.count = function () {
    var rows = this.rows();
    for (var i = 0; i < rows.length; ++i) {
      rows[i].setAttribute('aria-setsize', rows.length);
      rows[i].setAttribute('aria-posinset', i + 1);
    }
  };

  // Quietly: without scrolling to it or telling assistive technology.
  PickList.prototype.moveCursor = function (row, quietly) {
    var old = this.element.querySelector('.cursor');
    if (old) {
      old.classList.remove('cursor');
    }
    var rows = this.rows();
    this.cursor = rows.length ? Math.max(0, Math.min(row, rows.length - 1)) : -1;
    var now = rows[this.cursor];
    if (now) {
      now.classList.add('cursor');
    }
    if (!quietly) {
      this.announceCursor();
      now && now.scrollIntoView({block: 'nearest'});
    }
  };

  PickList.prototype.announceCursor = function () {
    var now = this.rows()[this.cursor];
    if (!now) {
      this.element.removeAttribute('aria-activedescendant');
      return;
    }
    if (!now.id) {
      now.id = this.element.id + '-row' + ++uniqueIds;
    }
    this.element.setAttribute('aria-activedescendant', now.id);
  };

  PickList.prototype.onFocus = function () {
    // Entering a list puts the cursor on a row, as the desktop lists do; without scrolling, or
    // a press that focused the list would land on another row by the time it is released.
    if (this.cursor < 0) {
      this.moveCursor(0, true);
    }
    this.announceCursor();
  };

  // A list without the focus has no active row for assistive technology: the rows that leave it
  // when a pair is judged, the cursor row among them, then go unannounced.
  PickList.prototype.onBlur = function () {
    this.element.removeAttribute('aria-activedescendant');
  };

  PickList.prototype.visibleRows = function () {
    var first = this.rows()[0];
    return first ? Math.floor(this.element.clientHeight / first.offsetHeight) : 0;
  };

  PickList.prototype.onKey = function (event) {
    if (event.altKey || event.ctrlKey || event.metaKey) {
      return;
    }
    var list = this;
    var last = this.rows().length - 1;
    switch (event.key) {
      case 'ArrowUp': this.moveCursor(this.cursor - 1); break;
      case 'ArrowDown': this.moveCursor(this.cursor + 1); break;
      case 'Home': this.moveCursor(0); break;
      case 'End': this.moveCursor(last); break;
      case 'PageUp':
      case 'PageDown':
        var move = event.key === 'PageUp' ? Browse.pageUp : Browse.pageDown;
        whenLoaded(function () { list.moveCursor(browse(list, move, list.visibleRows())); });
        break;
      case ' ':
      case 'Enter':
        whenLoaded(function () {
          if (list.cursor >= 0) {
            call('pick', list.index, list.cursor);
          }
        });
        break;
      default:
        // A typed letter: the row that starts with the letters typed so far.
        if (event.key.length !== 1 || last < 0) {
          return;
        }
        var letter = event.key.codePointAt(0);
        var now = event.timeStamp;
        whenLoaded(function () {
          var row = browse(list, Browse.letter, letter, now);
          if (row >= 0) {
            list.moveCursor(row);
          }
        });
    }
    event.preventDefault();
  };

  PickList.prototype.onClick = function (event) {
    // A click or a tap on a row; a swipe that scrolled the list raises no click.
    var row = Array.prototype.indexOf.call(this.rows(), event.target.closest('[role=option]'));
    if (row >= 0) {
      var list = this;
      this.moveCursor(row);
      whenLoaded(function () { call('pick', list.index, row); });
    }
  };

  PickList.prototype.inserted = function (row, text) {
    var option = document.createElement('div');
    option.setAttribute('role', 'option');
    option.setAttribute('aria-selected', 'false');
    option.textContent = text;
    this.element.insertBefore(option, this.rows()[row] || null);
    this.count();
    if (this.cursor >= row) {
      ++this.cursor;
    }
  };

  PickList.prototype.removed = function (row) {
    var rows = this.rows();
    if (!rows[row]) {
      return;
    }
    rows[row].remove();
    this.count();
    // A row goes only when a pair is judged, as the focus leaves for the verdict: the list says
    // nothing of its new cursor row until it is entered again.
    if (this.cursor >= 0) {
      this.moveCursor(browse(this, Browse.removed, row), true);
    }
  };

  PickList.prototype.cleared = function () {
    this.element.textContent = '';
    this.cursor = -1;
    this.element.removeAttribute('aria-activedescendant');
    this.element.scrollTop = 0;
  };

  PickList.prototype.selected = function (row) {
    var rows = this.rows();
    for (var i = 0; i < rows.length; ++i) {
      rows[i].setAttribute('aria-selected', i === row ? 'true' : 'false');
    }
  };

  PickList.prototype.adopt = function (texts) {
    var rows = this.rows();
    var same = rows.length === texts.length;
    for (var i = 0; same && i < rows.length; ++i) {
      same = rows[i].textContent === texts[i];
    }
    if (!same) {
      this.cleared();
      texts.forEach(function (text, row) { this.inserted(row, text); }, this);
    }
  };

  // The feedback box: a read-only text area whose text the C++ control holds. Up and Down go from
  // line to line of the text (the verdict line, the paragraph), not along the wrapped screen lines;
  // the code says where its lines start. about: the hidden element whose text describes the box;
  // said: where the page speaks.
  function FeedbackBox(element, about, said) {
    this.element = element;
    this.about = about;
    this.said = said;
    this.description = about.textContent;
    this.paragraph = '';
    this.lines = starts(element.dataset.lines);
    element.addEventListener('keydown', this.onKey.bind(this));
    element.addEventListener('focus', this.onFocus.bind(this));
    element.addEventListener('blur', this.onBlur.bind(this));
  }

  // A browser tells assistive technology of a change some time after it was made, and a screen
  // reader speaks the box's description as the focus arrives: so the box is described only while
  // it has the focus, from a frame after the focus came, and never changes its description under
  // a verdict that is arriving. The paragraph of a right verdict is spoken, once, after the
  // verdict line that the focus brings.
  FeedbackBox.prototype.onFocus = function () {
    afterFrame(this.arrived.bind(this));
  };

  // Only when the focus goes elsewhere in the page: a window that goes to the back keeps it here.
  FeedbackBox.prototype.onBlur = function () {
    var box = this;
    setTimeout(function () {
      if (document.activeElement !== box.element) {
        box.element.removeAttribute('aria-describedby');
        box.said.textContent = '';
      }
    });
  };

  FeedbackBox.prototype.arrived = function () {
    if (document.activeElement !== this.element) {
      return;
    }
    if (this.description && !this.element.hasAttribute('aria-describedby')) {
      this.about.textContent = this.description;
      this.element.setAttribute('aria-describedby', this.about.id);
    }
    if (this.paragraph) {
      this.said.textContent = this.paragraph;
      this.paragraph = '';
    }
  };

  FeedbackBox.prototype.onKey = function (event) {
    if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey
        || (event.key !== 'ArrowUp' && event.key !== 'ArrowDown')) {
      return;
    }
    var caret = this.element.selectionStart;
    var line = 0;
    while (line + 1 < this.lines.length && this.lines[line + 1] <= caret) {
      ++line;
    }
    line = Math.max(0, Math.min(line + (event.key === 'ArrowUp' ? -1 : 1), this.lines.length - 1));
    var target = this.lines[line];
    this.element.setSelectionRange(target, target);
    event.preventDefault();
  };

  FeedbackBox.prototype.text = function (text, description, paragraph, lines) {
    if (this.element.value !== text.replace(/\r\n/g, '\n')) {
      this.element.value = text;
    }
    this.description = description;
    this.paragraph = paragraph;
    this.lines = lines;
    this.said.textContent = '';
    // A new verdict is read from its first line.
    this.element.setSelectionRange(0, 0);
    this.element.scrollTop = 0;
  };

  function byId(name) {
    return document.getElementById(Shared.id[name]);
  }
  var feedback = new FeedbackBox(byId('feedback'), byId('feedbackAbout'), byId('feedbackSaid'));
  var elements = [];
  elements[Shared.element.feedback] = feedback;
  ['battles', 'commanders'].forEach(function (name) {
    elements[Shared.element[name]] = new PickList(byId(name), Shared.list[name]);
  });

  // The page opens with the box focused, as the desktop window does: by autofocus, in the HTML.
  // The controls stand in an element whose role is application, so that a screen reader takes that
  // first focus as a move into a web application and speaks it (Orca otherwise took the box in
  // silently as the place where the document starts), and keeps to its focus mode there, where
  // the arrow keys reach the lists.

  var restart = byId('restart');
  function onRestart() {
    whenLoaded(function () { call('press', 0); });
  }
  restart.addEventListener('click', onRestart);

  return {
    // What the user did before the widgets ran, in order, as if they had been there.
    replay: function (events) {
      events.forEach(function (event) {
        var widget = elements.filter(function (shown) { return shown.element.contains(event.target); })[0];
        if (event.type === 'keydown') {
          widget && widget.onKey(event);
        } else if (restart.contains(event.target)) {
          onRestart();
        } else {
          widget && widget.onClick && widget.onClick(event);
        }
      });
    },
    inserted: function (element, row, text) { elements[element].inserted(row, text); },
    removed: function (element, row) { elements[element].removed(row); },
    cleared: function (element) { elements[element].cleared(); },
    selected: function (element, row) { elements[element].selected(row); },
    rows: function (element, rows) { elements[element].adopt(rows ? rows.slice(0, -1).split('\n') : []); },
    text: function (element, text, description, paragraph, lines) {
      elements[element].text(text, description, paragraph, lines);
    },
    focus: function (element) { elements[element].element.focus(); },
  };
})();
