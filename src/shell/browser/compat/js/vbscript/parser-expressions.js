// VBScript expressions, read into a tree: literals, names, members, calls and
// indexes, and the operators by VBScript's precedence (^ first, then unary
// minus, * /, \, Mod, + -, &, comparisons and Is, Not, And, Or, Xor, Eqv, Imp).
// Nesting is bounded: a text nested deeper than any page writes is refused,
// it does not exhaust the reader.
(function (VB) {
  'use strict';

  var SyntaxErr = VB.VbSyntaxError;
  var MAX_DEPTH = 120;        // nested brackets, unary operators and blocks
  var MAX_OPERATORS = 4000;   // binary operators in one statement

  // Words that are never names.
  var RESERVED = {};
  ('and byref byval call case class const dim do each else elseif empty end eqv erase exit false for function ' +
   'if imp in is let loop mod new next not nothing null on option or preserve private public redim rem ' +
   'select set sub then to true until wend while with xor')
    .split(' ').forEach(function (w) { RESERVED[w] = true; });
  VB.RESERVED = RESERVED;

  function Parser(tokens) {
    this.tokens = tokens;
    this.pos = 0;
    this.depth = 0;
    this.operators = 0;
    this.procNames = Object.create(null);  // the procedures this text declares
    this.dynamicCode = [];  // Eval and Execute, which this interpreter does not have
  }
  VB.Parser = Parser;
  var P = Parser.prototype;

  P.peek = function (ahead) { return this.tokens[this.pos + (ahead || 0)]; };
  P.next = function () { return this.tokens[this.pos++]; };
  P.line = function () { return this.peek().line; };
  P.fail = function (number, detail) { throw new SyntaxErr(number, this.line(), detail); };
  P.isOp = function (v, ahead) {
    var t = this.peek(ahead);
    return t.k === 'op' && t.v === v;
  };
  P.isWord = function (w, ahead) {
    var t = this.peek(ahead);
    return t.k === 'id' && !t.bracketed && t.lv === w;
  };
  P.acceptOp = function (v) {
    if (!this.isOp(v)) return false;
    this.pos++;
    return true;
  };
  P.acceptWord = function (w) {
    if (!this.isWord(w)) return false;
    this.pos++;
    return true;
  };
  P.expectOp = function (v, number) {
    if (!this.acceptOp(v)) this.fail(number || 1002, v);
  };
  P.expectWord = function (w, number) {
    if (!this.acceptWord(w)) this.fail(number || 1002, w);
  };
  // A name: any word after a dot, otherwise a word that is not reserved.
  P.name = function (afterDot) {
    var t = this.peek();
    if (t.k !== 'id' || (!afterDot && !t.bracketed && RESERVED[t.lv])) this.fail(1010);
    this.pos++;
    return t;
  };
  P.enter = function () {
    if (++this.depth > MAX_DEPTH) this.fail(32766);
  };
  // One more binary operator in the statement being read.
  P.operator = function () {
    if (++this.operators > MAX_OPERATORS) this.fail(32766);
  };
  P.leave = function () { this.depth--; };

  // ---------------------------------------------------------- operators

  P.expression = function () {
    this.enter();
    var e = this.binary(0);
    this.leave();
    return e;
  };

  // Levels from the loosest: each is a run of its operators over the next level.
  var LEVELS = [['imp'], ['eqv'], ['xor'], ['or'], ['and'], null /* not */,
                ['=', '<>', '<', '>', '<=', '>=', 'is'], ['&'], ['+', '-'], ['mod'], ['\\'], ['*', '/']];
  var NOT_LEVEL = 5;

  P.operatorAt = function (ops) {
    var t = this.peek();
    if (t.k === 'op' && ops.indexOf(t.v) >= 0) return t.v;
    if (t.k === 'id' && !t.bracketed && ops.indexOf(t.lv) >= 0) return t.lv;
    return null;
  };

  P.binary = function (level) {
    if (level === NOT_LEVEL) {
      if (this.isWord('not')) {
        var line = this.line();
        this.pos++;
        this.enter();
        var operand = this.binary(NOT_LEVEL);
        this.leave();
        return {type: 'unary', op: 'not', expr: operand, line: line};
      }
      return this.binary(level + 1);
    }
    if (level === LEVELS.length) return this.unary();
    var left = this.binary(level + 1), op;
    while ((op = this.operatorAt(LEVELS[level]))) {
      var at = this.line();
      this.pos++;
      this.operator();
      left = {type: 'binary', op: op, left: left, right: this.binary(level + 1), line: at};
    }
    return left;
  };

  // Signs before an operand that `operand` reads: before a power (-2 ^ 2 is -4), or an exponent's own.
  P.signed = function (operand) {
    var t = this.peek();
    if (t.k === 'op' && (t.v === '-' || t.v === '+')) {
      this.pos++;
      this.enter();
      var e = this.signed(operand);
      this.leave();
      return negate(t.v, e, t.line);
    }
    return operand.call(this);
  };
  P.unary = function () { return this.signed(this.power); };
  function negate(op, operand, line) {
    if (op === '+') return operand;
    // A minus before a literal number is part of the literal.
    if (operand.type === 'lit' && typeof VB.toNumberOrNull(operand.value) === 'number') {
      return {type: 'lit', value: VB.neg(operand.value), literal: true, line: line};
    }
    return {type: 'unary', op: '-', expr: operand, line: line};
  }

  P.power = function () {
    var left = this.postfix();
    while (this.isOp('^')) {
      var line = this.line();
      this.pos++;
      this.operator();
      left = {type: 'binary', op: '^', left: left, right: this.powerOperand(), line: line};
    }
    return left;
  };
  P.powerOperand = function () { return this.signed(this.postfix); };

  // ------------------------------------------------------------ operands

  // A primary followed by .member and (arguments), as far as they go.
  P.postfix = function () {
    var e = this.primary();
    for (;;) {
      if (this.isOp('.') && !this.peek().space) {
        this.pos++;
        var member = this.name(true);
        e = {type: 'member', obj: e, name: member.v, lname: member.lv, line: member.line};
      } else if (this.isOp('(')) {
        var at = this.pos;
        e = {type: 'call', target: e, args: this.argumentList(), line: this.tokens[at].line, at: at};
      } else {
        return e;
      }
    }
  };

  // "(a, , b)": arguments in brackets; a left-out one is null.
  P.argumentList = function () {
    this.expectOp('(', 1005);
    var args = [];
    if (this.acceptOp(')')) return args;
    this.enter();
    for (;;) {
      args.push(this.isOp(',') || this.isOp(')') ? null : this.expression());
      if (this.acceptOp(',')) continue;
      this.expectOp(')', 1006);
      break;
    }
    this.leave();
    return args;
  };

  P.primary = function () {
    var t = this.peek();
    switch (t.k) {
      case 'num':
        this.pos++;
        return {type: 'lit', value: VB.num(t.v, t.t), literal: true, line: t.line};
      case 'str':
        this.pos++;
        return {type: 'lit', value: t.v, literal: true, line: t.line};
      case 'date':
        this.pos++;
        return {type: 'lit', value: t.v, literal: true, line: t.line};
      case 'op':
        if (t.v === '(') {
          this.pos++;
          var inner = this.expression();
          this.expectOp(')', 1006);
          return {type: 'paren', expr: inner, line: t.line};
        }
        if (t.v === '.') {
          // .member inside With.
          this.pos++;
          var member = this.name(true);
          return {type: 'member', obj: null, name: member.v, lname: member.lv, line: t.line};
        }
        return this.fail(1023);
      case 'id':
        break;
      default:
        return this.fail(1023);
    }
    if (!t.bracketed) {
      switch (t.lv) {
        case 'true': this.pos++; return {type: 'lit', value: true, literal: true, line: t.line};
        case 'false': this.pos++; return {type: 'lit', value: false, literal: true, line: t.line};
        case 'empty': this.pos++; return {type: 'lit', value: undefined, line: t.line};
        case 'null': this.pos++; return {type: 'lit', value: null, line: t.line};
        case 'nothing': this.pos++; return {type: 'lit', value: VB.NOTHING, line: t.line};
        case 'new': {
          this.pos++;
          var cls = this.name();
          if (cls.lv !== 'regexp') throw new VB.VbUnsupported('Class', t.line);
          return {type: 'new', name: cls.lv, line: t.line};
        }
        case 'me': this.pos++; return {type: 'me', line: t.line};
        case 'not':
          this.pos++;
          this.enter();
          var operand = this.binary(NOT_LEVEL);
          this.leave();
          return {type: 'unary', op: 'not', expr: operand, line: t.line};
        case 'eval':
          // Unless the page declares a function of that name: then it is that.
          if (this.isOp('(', 1)) this.dynamicCode.push({what: 'Eval', lname: 'eval', line: t.line});
          break;
        default:
          break;
      }
    }
    var id = this.name();
    return {type: 'name', name: id.v, lname: id.lv, line: id.line};
  };

  // A literal's value as a number, or null when it is none.
  VB.toNumberOrNull = function (v) {
    var t = VB.typeOf(v);
    return VB.isNumericType(t) && t !== VB.T.BOOLEAN && t !== VB.T.DATE ? VB.toNumber(v) : null;
  };
})(VB);
