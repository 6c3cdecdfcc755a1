// Expressions turned into functions of a frame. A procedure's own variables are
// found by their place, decided once; other names are looked up when they run,
// since later blocks and the page may add them.
(function (VB) {
  'use strict';

  var fail = VB.fail;
  VB.MISSING = Object.freeze({});  // an argument left out: MsgBox "x", , "Title"

  // What a piece of code is compiled against: the runtime, the procedure whose
  // body it is (null for a script's own code) and Option Explicit.
  function Scope(rt, proc, explicit) {
    this.rt = rt;
    this.proc = proc;
    this.explicit = explicit;
  }
  Scope.prototype.slot = function (lname) {
    if (!this.proc) return -1;
    var i = this.proc.slotMap.get(lname);
    return i === undefined ? -1 : i;
  };
  VB.Scope = Scope;

  var BINARY = {
    '+': VB.add, '-': VB.sub, '*': VB.mul, '/': VB.div, '\\': VB.idiv, 'mod': VB.mod, '^': VB.pow,
    '&': VB.concat, 'and': VB.and, 'or': VB.or, 'xor': VB.xor, 'eqv': VB.eqv, 'imp': VB.imp, 'is': VB.is
  };
  var COMPARE = {
    '=': function (c) { return c === 0; }, '<>': function (c) { return c !== 0; },
    '<': function (c) { return c < 0; }, '>': function (c) { return c > 0; },
    '<=': function (c) { return c <= 0; }, '>=': function (c) { return c >= 0; }
  };

  function expr(node, scope) {
    switch (node.type) {
      case 'lit': {
        var value = node.value;
        return function () { return value; };
      }
      case 'paren': return expr(node.expr, scope);
      case 'name': return nameValue(node, scope);
      case 'member': {
        var obj = subject(node, scope), name = node.name, lname = node.lname;
        return function (f) { return VB.getMember(obj(f), name, lname); };
      }
      case 'call': return call(node, scope);
      case 'unary': {
        var operand = expr(node.expr, scope), op = node.op === 'not' ? VB.not : VB.neg;
        return function (f) { return op(operand(f)); };
      }
      case 'binary': return binary(node, scope);
      case 'new': return function () { return VB.newRegExp(); };
      case 'me': return function (f) { return f.me || fail(424, 'Me'); };
      default: return fail(51);
    }
  }
  VB.compileExpr = expr;

  function binary(node, scope) {
    var left = expr(node.left, scope), right = expr(node.right, scope);
    var test = COMPARE[node.op];
    if (test) {
      var literalLeft = !!node.left.literal, literalRight = !!node.right.literal;
      return function (f) {
        var c = VB.compare(left(f), right(f), literalLeft, literalRight);
        return c === null ? null : test(c);
      };
    }
    var op = BINARY[node.op];
    // And and Or evaluate both sides, as VBScript does.
    return function (f) {
      var a = left(f);
      return op(a, right(f));
    };
  }

  // The object before a dot, or the With block's object for ".Name".
  function subject(node, scope) {
    if (node.obj) return expr(node.obj, scope);
    return function (f) { return f.with.length ? f.with[f.with.length - 1] : fail(505); };
  }

  function nameValue(node, scope) {
    var i = scope.slot(node.lname);
    if (i >= 0) return function (f) { return f.s[i].v; };
    var rt = scope.rt, lname = node.lname, name = node.name, explicit = scope.explicit;
    return function (f) { return rt.read(lname, name, f, explicit); };
  }

  // The arguments of a call as [{value(f), ref(f) | null}], null for one left out.
  function args(nodes, scope) {
    return nodes.map(function (n) {
      if (!n) return null;
      return {value: expr(n, scope), ref: refOf(n, scope)};
    });
  }
  VB.compileArgs = args;
  function values(list, f) {
    var out = new Array(list.length);
    for (var i = 0; i < list.length; i++) out[i] = list[i] ? list[i].value(f) : VB.MISSING;
    return out;
  }
  VB.argValues = values;

  // A variable or array element as an argument passed by reference; null for any other expression.
  function refOf(node, scope) {
    var rt = scope.rt;
    if (node.type === 'name') {
      var i = scope.slot(node.lname), lname = node.lname, name = node.name, explicit = scope.explicit;
      if (i >= 0) return function (f) { return f.s[i]; };
      return function (f) { return rt.ref(lname, name, f, explicit); };
    }
    if (node.type === 'call' && node.target.type === 'name') {
      var holder = variableCell(node.target, scope), indexes = args(node.args, scope), whole = expr(node, scope);
      return function (f) {
        var cell = holder(f);
        if (cell && VB.isArray(cell.v)) return new VB.ElementRef(cell.v, values(indexes, f));
        return new VB.Cell(whole(f));
      };
    }
    return null;
  }
  // The cell of a variable, without calling a procedure of that name; null when there is none.
  function variableCell(node, scope) {
    var i = scope.slot(node.lname), rt = scope.rt, lname = node.lname;
    if (i >= 0) return function (f) { return f.s[i]; };
    return function (f) { return rt.cell(lname, f); };
  }
  VB.variableCell = variableCell;

  // name(args), obj.Method(args), x(i)(j).
  function call(node, scope) {
    var list = args(node.args, scope), target = node.target;
    if (target.type === 'name') return callName(target, list, scope);
    if (target.type === 'member') {
      var obj = subject(target, scope), name = target.name, lname = target.lname;
      return function (f) { return VB.callMember(obj(f), name, lname, values(list, f)); };
    }
    var callee = expr(target, scope);
    return function (f) { return VB.callValue(callee(f), values(list, f)); };
  }
  function callName(target, list, scope) {
    var rt = scope.rt, lname = target.lname, name = target.name;
    var i = scope.slot(lname);
    // Inside Function F, F(x) calls F again; F alone is its result.
    if (i >= 0 && i === scope.proc.resultSlot) i = -1;
    return function (f) {
      var cell = i >= 0 ? f.s[i] : rt.cell(lname, f);
      if (cell) return VB.callValue(cell.v, values(list, f), name);
      var proc = rt.procs.get(lname);
      if (proc) return rt.call(proc, list, f);
      var builtin = VB.builtins[lname];
      if (builtin) return VB.callBuiltin(rt, builtin, name, values(list, f), f);
      var key = VB.memberKey(rt.win, name, lname);
      if (key !== null) return VB.callMember(rt.win, key, lname, values(list, f));
      return fail(13, name);
    };
  }
  VB.compileCall = call;
})(VB);
