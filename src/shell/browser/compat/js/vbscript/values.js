// VBScript's values as this interpreter holds them, and its errors.
//
// Empty is undefined, Null is null, Boolean a boolean, String a string.
// Numbers are plain numbers when their VBScript subtype is the one the value
// itself suggests (a whole number of 16 bits an Integer, of 32 bits a Long,
// any other a Double); a subtype the value does not show (CDbl(5), CLng(1), a
// Byte, a Single, a Currency) travels boxed in Num. Dates are VDate, arrays
// VArray, a byte string of odd length Bytes, Nothing the NOTHING object, and
// objects of the page themselves.
(function (VB) {
  'use strict';

  var T = VB.T = {
    EMPTY: 0, NULL: 1, INTEGER: 2, LONG: 3, SINGLE: 4, DOUBLE: 5, CURRENCY: 6, DATE: 7, STRING: 8,
    OBJECT: 9, ERROR: 10, BOOLEAN: 11, VARIANT: 12, BYTE: 17, ARRAY: 8192
  };

  var NOTHING = VB.NOTHING = Object.freeze({});

  function Num(v, t) {
    this.v = v;
    this.t = t;
  }
  function VDate(v) {
    this.v = v;  // days since 1899-12-30, the time of day as the fraction
  }
  // A byte string of odd length: the UTF-16 units of its first bytes, then one byte.
  function Bytes(head, tail) {
    this.head = head;
    this.tail = tail;
  }
  // An array: its sizes per dimension (upper bound + 1), its elements with the
  // last index running fastest, and whether Dim gave it a fixed size.
  function VArray(sizes, data, fixed) {
    this.sizes = sizes;
    this.data = data;
    this.fixed = !!fixed;
  }
  VB.Num = Num;
  VB.VDate = VDate;
  VB.Bytes = Bytes;
  VB.VArray = VArray;

  // The subtype a plain number stands for.
  function implied(v) {
    if (v === (v | 0)) return v >= -32768 && v <= 32767 ? T.INTEGER : T.LONG;
    return T.DOUBLE;
  }
  // A number of subtype t, boxed only when the value would not tell it.
  function num(v, t) {
    if ((t === T.INTEGER || t === T.LONG || t === T.DOUBLE) && implied(v) === t) return v;
    return new Num(v, t);
  }
  VB.num = num;

  // VarType without the array bit's element type.
  function typeOf(x) {
    if (x === undefined) return T.EMPTY;
    if (x === null) return T.NULL;
    switch (typeof x) {
      case 'number': return implied(x);
      case 'string': return T.STRING;
      case 'boolean': return T.BOOLEAN;
      case 'function': return T.OBJECT;
      case 'object': break;
      default: return T.VARIANT;
    }
    if (x instanceof Num) return x.t;
    if (x instanceof VDate) return T.DATE;
    if (x instanceof Bytes) return T.STRING;
    if (x instanceof VArray) return T.ARRAY | T.VARIANT;
    if (x instanceof Uint8Array) return T.ARRAY | T.BYTE;
    return T.OBJECT;
  }
  VB.typeOf = typeOf;

  function isNumeric(t) {
    return t === T.INTEGER || t === T.LONG || t === T.SINGLE || t === T.DOUBLE || t === T.CURRENCY ||
           t === T.BYTE || t === T.BOOLEAN || t === T.DATE;
  }
  VB.isNumericType = isNumeric;
  VB.isObject = function (x) { return typeOf(x) === T.OBJECT; };
  VB.isArray = function (x) { return x instanceof VArray || x instanceof Uint8Array; };

  // TypeName by VarType.
  var NAMES = {0: 'Empty', 1: 'Null', 2: 'Integer', 3: 'Long', 4: 'Single', 5: 'Double', 6: 'Currency', 7: 'Date',
               8: 'String', 10: 'Error', 11: 'Boolean', 17: 'Byte'};

  VB.typeName = function (x) {
    var t = typeOf(x);
    if (t & T.ARRAY) return (t & ~T.ARRAY) === T.BYTE ? 'Byte()' : 'Variant()';
    if (t !== T.OBJECT) return NAMES[t] || 'Unknown';
    if (x === NOTHING) return 'Nothing';
    if (typeof x === 'function') return 'Object';
    return VB.className(x);
  };

  // ------------------------------------------------------------- errors

  var MESSAGES = {
    5: '无效的过程调用或参数', 6: '溢出', 7: '内存不够', 9: '下标越界', 10: '该数组为定长的或临时被锁定',
    11: '被零除', 13: '类型不匹配', 14: '字符串空间不够', 17: '不能执行所需的操作', 28: '堆栈溢出',
    35: '未定义 Sub 或 Function', 51: '内部错误', 91: '对象变量未设置', 92: 'For 循环未初始化',
    94: '无效使用 Null', 424: '缺少对象', 429: 'ActiveX 部件不能创建对象', 438: '对象不支持此属性或方法',
    450: '错误的参数个数或无效的参数属性值', 451: '对象不是一个集合', 500: '变量未定义', 501: '不能给变量赋值',
    505: '无效的或不合格的引用', 1002: '语法错误', 1005: '缺少 \'(\'', 1006: '缺少 \')\'', 1010: '缺少标识符',
    1011: '缺少 \'=\'', 1012: '缺少 \'If\'', 1013: '缺少 \'To\'', 1014: '缺少 \'End\'', 1015: '缺少 \'Function\'',
    1016: '缺少 \'Sub\'', 1017: '缺少 \'Then\'', 1018: '缺少 \'Wend\'', 1019: '缺少 \'Loop\'',
    1020: '缺少 \'Next\'', 1021: '缺少 \'Case\'', 1022: '缺少 \'Select\'', 1023: '缺少表达式',
    1024: '缺少语句', 1025: '缺少语句结束', 1026: '缺少整型常数', 1027: '缺少 \'While\' 或 \'Until\'',
    1028: '缺少 \'While\'、\'Until\' 或语句结束', 1032: '无效字符', 1033: '未结束的字符串常量', 1041: '名称重定义',
    1045: '缺少文字常数', 1046: '缺少 \'In\'', 1047: '缺少 \'Class\'', 1048: '必须在一个类的内部定义',
    1049: '在属性声明中缺少 Let，Set 或 Get', 1052: '在类中不能有多个缺省的属性/方法', 1053: '类初始化或终止不能带参数',
    1057: '\'Default\' 说明必须也指定 \'Public\'', 32766: '表达式太复杂'
  };
  // A run-time error of the script: Err.Number and Err.Description.
  function VbError(number, detail, description) {
    this.number = number;
    this.description = description !== undefined ? description
      : (MESSAGES[number] || '未知的运行时错误') + (detail ? ': \'' + detail + '\'' : '');
    this.source = 'Microsoft VBScript 运行时错误';
    this.line = 0;
  }
  VbError.prototype.toString = function () { return this.description; };
  VB.VbError = VbError;
  VB.fail = function (number, detail) { throw new VbError(number, detail); };

  // What the page's own script threw, as Err sees it.
  VB.asVbError = function (e) {
    if (e instanceof VbError) return e;
    if (e instanceof RangeError && /call stack/i.test(e.message)) return new VbError(28);
    var number = e && typeof e.number === 'number' ? e.number : null;
    // Errors of the script engines' own range (0x800A....) count by their code.
    if (number !== null && (number >>> 16) === 0x800a) number &= 0xffff;
    var description = e && e.description !== undefined ? String(e.description)
      : e && e.message !== undefined ? String(e.message) : String(e);
    if (number === null) number = e instanceof TypeError ? 438 : 5;
    var err = new VbError(number, '', description);
    err.source = 'Microsoft JScript';
    return err;
  };

  // A syntax error, with the line of the script it is on.
  function VbSyntaxError(number, line, detail) {
    this.number = number;
    this.line = line;
    this.description = (MESSAGES[number] || '语法错误') + (detail ? ': ' + detail : '');
  }
  VB.VbSyntaxError = VbSyntaxError;
  // Something of the language this interpreter does not have (Class, Execute…).
  function VbUnsupported(what, line) {
    this.what = what;
    this.line = line;
  }
  VB.VbUnsupported = VbUnsupported;
})(VB);
