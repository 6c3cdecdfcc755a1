// The built-in functions' table and VBScript's named constants. Each group of
// functions adds itself to the table in a file of its own.
(function (VB) {
  'use strict';

  var T = VB.T, MISSING = VB.MISSING;
  VB.builtins = Object.create(null);

  // A built-in function: `fn(args, rt, frame)` gets its arguments (MISSING for
  // one left out); a call with fewer than `min` or more than `max` is refused.
  VB.builtin = function (name, min, max, fn) {
    VB.builtins[name.toLowerCase()] = {name: name, min: min, max: max, fn: fn};
  };
  VB.callBuiltin = function (rt, b, name, args, f) {
    if (args.length < b.min || args.length > b.max) VB.fail(450, name);
    for (var i = 0; i < b.min; i++) if (args[i] === MISSING) VB.fail(450, name);
    return b.fn(args, rt, f);
  };
  // An argument, or `otherwise` when it was left out.
  VB.arg = function (args, i, otherwise) {
    return i < args.length && args[i] !== MISSING ? args[i] : otherwise;
  };

  var C = VB.constants = Object.create(null);
  function constants(table) { for (var k in table) C[k.toLowerCase()] = table[k]; }
  constants({
    vbCr: '\r', vbLf: '\n', vbCrLf: '\r\n', vbNewLine: '\r\n', vbTab: '\t', vbNullChar: '\0', vbNullString: '',
    vbFormFeed: '\f', vbVerticalTab: '\v', vbObjectError: VB.num(-2147221504, T.LONG),
    vbTrue: -1, vbFalse: 0, vbUseDefault: -2, vbBinaryCompare: 0, vbTextCompare: 1, vbDatabaseCompare: 2,
    vbGeneralDate: 0, vbLongDate: 1, vbShortDate: 2, vbLongTime: 3, vbShortTime: 4,
    vbUseSystemDayOfWeek: 0, vbSunday: 1, vbMonday: 2, vbTuesday: 3, vbWednesday: 4, vbThursday: 5, vbFriday: 6,
    vbSaturday: 7, vbUseSystem: 0, vbFirstJan1: 1, vbFirstFourDays: 2, vbFirstFullWeek: 3,
    vbEmpty: 0, vbNull: 1, vbInteger: 2, vbLong: 3, vbSingle: 4, vbDouble: 5, vbCurrency: 6, vbDate: 7,
    vbString: 8, vbObject: 9, vbError: 10, vbBoolean: 11, vbVariant: 12, vbDataObject: 13, vbDecimal: 14,
    vbByte: 17, vbArray: 8192,
    vbOKOnly: 0, vbOKCancel: 1, vbAbortRetryIgnore: 2, vbYesNoCancel: 3, vbYesNo: 4, vbRetryCancel: 5,
    vbCritical: 16, vbQuestion: 32, vbExclamation: 48, vbInformation: 64,
    vbDefaultButton1: 0, vbDefaultButton2: 256, vbDefaultButton3: 512, vbDefaultButton4: 768,
    vbApplicationModal: 0, vbSystemModal: 4096, vbMsgBoxHelpButton: 16384, vbMsgBoxSetForeground: 65536,
    vbMsgBoxRight: 524288, vbMsgBoxRtlReading: 1048576,
    vbOK: 1, vbCancel: 2, vbAbort: 3, vbRetry: 4, vbIgnore: 5, vbYes: 6, vbNo: 7,
    vbBlack: 0, vbRed: 255, vbGreen: 65280, vbYellow: 65535, vbBlue: VB.num(16711680, T.LONG),
    vbMagenta: VB.num(16711935, T.LONG), vbCyan: VB.num(16776960, T.LONG), vbWhite: VB.num(16777215, T.LONG)
  });
})(VB);
