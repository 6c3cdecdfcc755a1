// What reaches beyond the script: MsgBox and InputBox (the program's Chinese
// boxes), CreateObject (the layer's ActiveX objects), GetRef, the Err object,
// and the engine's and desk's identity.
(function (VB) {
  'use strict';

  var def = VB.builtin, arg = VB.arg, fail = VB.fail, toStr = VB.toStr, T = VB.T;

  // What the page binding provides; a stand-in answers where there is none.
  VB.host = {
    report: function (e) { throw e; },
    msgBox: function () { return 1; },
    inputBox: function () { return null; }
  };

  def('MsgBox', 1, 5, function (a) {
    var text = a[0] === null ? fail(94) : toStr(a[0]);
    var buttons = VB.roundEven(VB.toNumber(arg(a, 1, 0)));
    var title = arg(a, 2, undefined);
    return VB.host.msgBox(text, buttons, title === undefined || title === null ? 'VBScript' : toStr(title));
  });
  // InputBox(prompt[, title[, default[, x, y...]]]): "" when cancelled.
  def('InputBox', 1, 7, function (a) {
    var prompt = a[0] === null ? fail(94) : toStr(a[0]);
    var title = arg(a, 1, undefined), proposal = arg(a, 2, '');
    var answer = VB.host.inputBox(prompt, title === undefined || title === null ? 'VBScript' : toStr(title),
                                  proposal === null ? '' : toStr(proposal));
    return answer === null || answer === undefined ? '' : String(answer);
  });

  def('CreateObject', 1, 2, function (a, rt) {
    var make = rt.win.ActiveXObject;
    if (typeof make !== 'function') fail(429);
    return VB.fromJs(new make(toStr(a[0])));
  });
  def('GetObject', 0, 2, function () { return fail(429); });
  def('LoadPicture', 1, 1, function () { return fail(429); });
  def('GetRef', 1, 1, function (a, rt) {
    var lname = toStr(a[0]).toLowerCase();
    if (!rt.procs.has(lname)) fail(5);
    return rt.wrapper(lname);
  });

  def('RGB', 3, 3, function (a) {
    var part = function (x) { return Math.max(0, Math.min(255, VB.roundEven(VB.toNumber(x)))); };
    return VB.num(part(a[0]) + part(a[1]) * 256 + part(a[2]) * 65536, T.LONG);
  });
  def('ScriptEngine', 0, 0, function () { return 'VBScript'; });
  def('ScriptEngineMajorVersion', 0, 0, function () { return 5; });
  def('ScriptEngineMinorVersion', 0, 0, function () { return 7; });
  def('ScriptEngineBuildVersion', 0, 0, function () { return 17184; });
  // The desk's locale, Chinese (PRC); another cannot be chosen.
  def('GetLocale', 0, 0, function () { return 2052; });
  def('SetLocale', 0, 1, function () { return 2052; });

  def('Err', 0, 0, function (a, rt) { return rt.err; });

  // The Err object: Number (its default), Description, Source, Clear, Raise.
  VB.makeErr = function () {
    var state = {number: 0, description: '', source: '', helpFile: '', helpContext: 0};
    var err = {VBClassName: 'ErrObject'};
    ['Number', 'Description', 'Source', 'HelpFile', 'HelpContext'].forEach(function (name) {
      var key = name.charAt(0).toLowerCase() + name.slice(1);
      Object.defineProperty(err, name, {
        enumerable: true,
        get: function () { return state[key]; },
        set: function (v) { state[key] = key === 'number' || key === 'helpContext' ? Number(v) || 0 : String(v); }
      });
    });
    err.Clear = function () {
      state.number = 0;
      state.description = state.source = state.helpFile = '';
      state.helpContext = 0;
    };
    // Raise(number[, source[, description]])
    err.Raise = function (number, source, description) {
      if (number === undefined || number === null) fail(450, 'Raise');
      var n = VB.roundEven(Number(number));
      var e = new VB.VbError(n, '', description !== undefined ? String(description) : undefined);
      if (description === undefined && e.description === '未知的运行时错误') e.description = '应用程序定义或对象定义的错误';
      if (source !== undefined) e.source = String(source);
      throw e;
    };
    err[VB.DEFAULT] = function () { return state.number; };
    Object.defineProperty(err, 'set', {value: function (e) {
      state.number = e.number;
      state.description = e.description;
      state.source = e.source || '';
    }});
    return err;
  };
})(VB);
