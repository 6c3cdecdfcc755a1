// What the scripts of one window share: their variables and procedures (one
// name space for all VBScript blocks, letter case aside), the Err object, and
// the names of the page (window, document, the page's JScript) behind them.
// Procedures run in frames of their own; arguments pass by reference unless
// ByVal or an expression says otherwise.
(function (VB) {
  'use strict';

  var fail = VB.fail;
  var EXIT_PROC = VB.EXIT_PROC = 3;

  function Cell(v, name) {
    this.v = v;
    this.name = name;
  }
  VB.Cell = Cell;
  // An array element passed by reference.
  function ElementRef(array, indexes) {
    this.array = array;
    this.indexes = indexes;
  }
  Object.defineProperty(ElementRef.prototype, 'v', {
    get: function () { return VB.element(this.array, this.indexes); },
    set: function (x) { VB.setElement(this.array, this.indexes, x); }
  });
  VB.ElementRef = ElementRef;

  function Frame(proc, slots) {
    this.proc = proc;
    this.s = slots;        // the procedure's declared variables and arguments, as cells
    this.extra = null;     // variables it made by assigning to undeclared names
    this.resume = false;   // On Error Resume Next
    this.with = [];
    this.me = null;        // the element of an event handler
    this.block = null;     // the script element whose code runs
  }
  VB.Frame = Frame;

  function Runtime(win) {
    this.win = win;
    this.globals = new Map();
    this.procs = new Map();
    this.err = VB.makeErr(this);
    this.wrappers = new Map();  // procedures as JScript functions
  }
  VB.Runtime = Runtime;
  var R = Runtime.prototype;

  // -------------------------------------------------------------- names

  R.cell = function (lname, f) {
    if (f && f.extra) {
      var own = f.extra.get(lname);
      if (own) return own;
    }
    return this.globals.get(lname) || null;
  };

  // The value of a name that is not a declared variable of the procedure.
  R.read = function (lname, name, f, explicit) {
    var cell = this.cell(lname, f);
    if (cell) return cell.v;
    var proc = this.procs.get(lname);
    if (proc) return this.call(proc, [], f);
    var constant = VB.constants[lname];
    if (constant !== undefined || lname in VB.constants) return constant;
    var builtin = VB.builtins[lname];
    if (builtin) return VB.callBuiltin(this, builtin, name, [], f);
    var key = VB.memberKey(this.win, name, lname);
    if (key !== null) return VB.fromJs(this.win[key]);
    if (explicit) fail(500, name);
    return undefined;
  };

  R.write = function (lname, name, f, value, explicit) {
    var cell = this.cell(lname, f);
    if (cell) {
      if (cell.constant) fail(501, name);
      cell.v = value;
      return;
    }
    if (this.procs.has(lname) || VB.builtins[lname] || lname in VB.constants) fail(501, name);
    var key = VB.memberKey(this.win, name, lname);
    if (key !== null) {
      this.win[key] = VB.toJs(value);
      return;
    }
    if (explicit) fail(500, name);
    this.declare(lname, name, f).v = value;
  };

  // A variable by reference: an existing one, or one made now (as assigning would).
  R.ref = function (lname, name, f, explicit) {
    var cell = this.cell(lname, f);
    if (cell) return cell;
    if (this.procs.has(lname) || VB.builtins[lname] || lname in VB.constants ||
        VB.memberKey(this.win, name, lname) !== null) {
      return new Cell(this.read(lname, name, f, explicit), name);
    }
    if (explicit) fail(500, name);
    return this.declare(lname, name, f);
  };

  // A variable of the procedure running in f, or of the script when none runs.
  R.declare = function (lname, name, f) {
    if (f && f.proc) {
      if (!f.extra) f.extra = new Map();
      var local = new Cell(undefined, name);
      f.extra.set(lname, local);
      return local;
    }
    return this.declareGlobal(lname, name);
  };
  R.declareGlobal = function (lname, name) {
    var cell = this.globals.get(lname);
    if (cell) return cell;
    cell = new Cell(undefined, name);
    this.globals.set(lname, cell);
    // The page's JScript sees the scripts' variables too, unless the window has that name.
    var win = this.win;
    if (!(name in win)) {
      try {
        Object.defineProperty(win, name, {
          configurable: true, enumerable: false,
          get: function () { return VB.toJs(cell.v); },
          set: function (v) { cell.v = VB.fromJs(v); }
        });
      } catch (e) { /* a name the window keeps */ }
    }
    return cell;
  };

  // ---------------------------------------------------------- procedures

  // A procedure of a script, known to the window from now on: the page's
  // JScript calls it by its name.
  R.define = function (proc) {
    this.procs.set(proc.lname, proc);
    this.wrappers.delete(proc.lname);
    var win = this.win, fn = this.wrapper(proc.lname);
    var existing = Object.getOwnPropertyDescriptor(win, proc.name);
    if (existing && !existing.configurable && !existing.writable) return;
    try {
      Object.defineProperty(win, proc.name, {value: fn, writable: true, configurable: true, enumerable: false});
    } catch (e) { /* a name the window keeps */ }
  };

  // The procedure as a JScript function (also GetRef's answer): the same function each time.
  R.wrapper = function (lname) {
    var fn = this.wrappers.get(lname);
    if (fn) return fn;
    var rt = this;
    // As many arguments as the procedure takes: the browser gives a handler the
    // event, which the old control did not; one missing is Empty. An error in a
    // handler is the page's script error; in a call from JScript, the caller's.
    fn = function () {
      var proc = rt.procs.get(lname), given = arguments;
      var args = proc.params.map(function (p, i) {
        var value = VB.fromJs(given[i]);
        return {value: function () { return value; }, ref: null};
      });
      try {
        return VB.toJs(rt.callFromPage(proc, args, this));
      } catch (e) {
        if (!(given[0] instanceof rt.win.Event)) throw e;
        VB.host.report(e);
        return undefined;
      }
    };
    this.wrappers.set(lname, fn);
    return fn;
  };

  // A call of a procedure from outside the scripts (JScript, an event): an
  // error that escapes it is the page's script error.
  R.callFromPage = function (proc, args, self) {
    var f = new Frame(null, []);
    f.me = self && self !== this.win && self.nodeType === 1 ? self : null;
    try {
      return this.call(proc, args, f);
    } catch (e) {
      throw this.pageError(e, proc && proc.block);
    }
  };

  // Calls proc with arguments [{value(f), ref(f) | null}] evaluated in the caller's frame f.
  R.call = function (proc, args, f) {
    var params = proc.params;
    if (args.length !== params.length) fail(450, proc.name);
    var slots = new Array(proc.slotCount);
    for (var i = 0; i < params.length; i++) {
      var a = args[i];
      if (a === null) fail(450, proc.name);
      if (params[i].byVal || !a.ref) slots[i] = new Cell(VB.copyValue(a.value(f)), params[i].name);
      else slots[i] = a.ref(f);
    }
    for (var j = params.length; j < slots.length; j++) slots[j] = new Cell(undefined);
    var frame = new Frame(proc, slots);
    frame.me = f ? f.me : null;
    frame.block = proc.block;
    for (var k = 0; k < proc.arrays.length; k++) {
      var d = proc.arrays[k];
      slots[d.slot].v = d.bounds ? VB.makeArray(d.bounds, true) : new VB.VArray([], [], false);
    }
    proc.body(frame);
    // Leaving a procedure that handled its errors clears Err, as leaving VBScript's did.
    if (frame.resume) this.err.Clear();
    return proc.kind === 'function' ? slots[proc.resultSlot].v : undefined;
  };

  // ------------------------------------------------------------- errors

  // A run-time error with the line of the statement it happened in.
  R.atLine = function (e, line) {
    var err = VB.asVbError(e);
    if (!err.line) err.line = line;
    return err;
  };
  // An error that leaves the scripts, as the page's script error: a JavaScript
  // Error with VBScript's number, description and line.
  R.pageError = function (e, block) {
    if (e && e.vbscript) return e;
    var err = VB.asVbError(e);
    var where = block && block.describe ? block.describe(err.line) : (err.line ? '第 ' + err.line + ' 行' : '');
    var error = new Error('VBScript 运行时错误：' + err.description + (where ? '（' + where + '）' : ''));
    error.number = err.number > 0 && err.number < 65536 ? (0x800a0000 | err.number) >> 0 : err.number;
    error.description = err.description;
    error.vbscript = true;
    return error;
  };
})(VB);
