// VBScript statements, read into a tree: declarations, assignments and calls,
// the block and one-line If, Select Case, the loops, With, On Error, and the
// Sub and Function procedures of a script. A text is read whole before any of
// it runs; what VBScript would refuse to compile is refused with its line.
(function (VB) {
  'use strict';

  var P = VB.Parser.prototype;

  // The script: {procs, body, explicit}.
  VB.parse = function (text) {
    var p = new VB.Parser(VB.lex(text));
    var program = {procs: [], body: [], explicit: false};
    p.program = program;
    program.body = p.block(function () { return p.peek().k === 'eof'; }, true);
    p.dynamicCode.forEach(function (use) {
      if (!p.procNames[use.lname]) throw new VB.VbUnsupported(use.what, use.line);
    });
    return program;
  };

  // Statements up to (not including) the point `ends` recognises.
  P.block = function (ends, topLevel) {
    var body = [];
    this.enter();
    for (;;) {
      while (this.isOp(':') || this.peek().k === 'nl') this.pos++;
      if (ends()) break;
      if (this.peek().k === 'eof') this.fail(1024);
      var s = this.statement(topLevel);
      if (s) body.push(s);
      this.endOfStatement();
    }
    this.leave();
    return body;
  };
  P.endOfStatement = function () {
    var t = this.peek();
    if (t.k === 'nl' || t.k === 'eof' || (t.k === 'op' && t.v === ':')) return;
    if (this.inLineIf && this.isWord('else')) return;
    this.fail(1025);
  };
  P.isEnd = function (what) { return this.isWord('end') && this.isWord(what, 1); };
  P.expectEnd = function (what, number) {
    if (!this.isEnd(what)) this.fail(number || 1014, 'End ' + what);
    this.pos += 2;
  };

  P.statement = function (topLevel) {
    var t = this.peek(), line = t.line;
    this.operators = 0;
    if (t.k === 'id' && !t.bracketed) {
      switch (t.lv) {
        case 'dim': this.pos++; return this.dim(line);
        case 'public': case 'private':
          this.pos++;
          this.acceptWord('default');
          if (this.isWord('sub') || this.isWord('function')) return this.procedure(topLevel);
          if (this.isWord('const')) {
            this.pos++;
            return this.constants(line);
          }
          if (this.isWord('property')) throw new VB.VbUnsupported('Property', line);
          if (!topLevel) this.fail(1024);
          return this.dim(line);
        case 'const': this.pos++; return this.constants(line);
        case 'redim': this.pos++; return this.redim(line);
        case 'sub': case 'function': return this.procedure(topLevel);
        case 'class': throw new VB.VbUnsupported('Class', line);
        case 'property': throw new VB.VbUnsupported('Property', line);
        case 'if': this.pos++; return this.ifStatement(line);
        case 'select': this.pos++; return this.select(line);
        case 'for': this.pos++; return this.forStatement(line);
        case 'do': this.pos++; return this.doLoop(line);
        case 'while': this.pos++; return this.whileLoop(line);
        case 'with': this.pos++; return this.withBlock(line);
        case 'exit': this.pos++; return this.exit(line);
        case 'on': this.pos++; return this.onError(line);
        case 'option':
          this.pos++;
          this.expectWord('explicit');
          this.program.explicit = true;
          return null;
        case 'set': this.pos++; return this.assignment(line, true);
        case 'let': this.pos++; return this.assignment(line, false);
        case 'call': this.pos++; return this.callStatement(line);
        case 'erase': this.pos++; return this.erase(line);
        case 'stop': this.pos++; return null;
        case 'execute': case 'executeglobal':
          this.dynamicCode.push({what: t.v, lname: t.lv, line: line});
          break;
        default:
          if (VB.RESERVED[t.lv]) this.fail(1024);
      }
    }
    return this.simpleStatement(line);
  };

  // ------------------------------------------------- declarations

  // "a, b(3), c(), d(2, 3)": names, each with the sizes of its array if any.
  P.declaredNames = function () {
    var names = [];
    do {
      var id = this.name();
      var decl = {name: id.v, lname: id.lv, dims: null};
      if (this.isOp('(')) {
        this.pos++;
        decl.dims = [];
        if (!this.acceptOp(')')) {
          do decl.dims.push(this.expression()); while (this.acceptOp(','));
          this.expectOp(')', 1006);
        }
      }
      names.push(decl);
    } while (this.acceptOp(','));
    return names;
  };
  P.dim = function (line) {
    var names = this.declaredNames();
    names.forEach(function (d) {
      if (d.dims) d.dims.forEach(function (e) {
        if (e.type !== 'lit' || VB.toNumberOrNull(e.value) === null) throw new VB.VbSyntaxError(1026, line);
      });
    });
    return {type: 'dim', names: names, line: line};
  };
  P.redim = function (line) {
    var preserve = this.acceptWord('preserve');
    var names = this.declaredNames();
    names.forEach(function (d) { if (!d.dims || !d.dims.length) throw new VB.VbSyntaxError(1005, line); });
    return {type: 'redim', preserve: preserve, names: names, line: line};
  };
  P.constants = function (line) {
    var items = [];
    do {
      var id = this.name();
      this.expectOp('=', 1011);
      var value = this.expression();
      if (value.type === 'paren') value = value.expr;
      if (value.type !== 'lit') this.fail(1045);
      items.push({name: id.v, lname: id.lv, value: value.value});
    } while (this.acceptOp(','));
    return {type: 'const', items: items, line: line};
  };
  P.erase = function (line) {
    var names = [];
    do names.push(this.name().lv); while (this.acceptOp(','));
    return {type: 'erase', names: names, line: line};
  };

  P.procedure = function (topLevel) {
    var kind = this.next().lv, line = this.peek().line;
    if (!topLevel) this.fail(1024);
    var id = this.name();
    var params = [];
    if (this.acceptOp('(')) {
      if (!this.acceptOp(')')) {
        do {
          var byVal = this.acceptWord('byval');
          if (!byVal) this.acceptWord('byref');
          var param = this.name();
          if (this.acceptOp('(')) this.expectOp(')', 1006);
          params.push({name: param.v, lname: param.lv, byVal: byVal});
        } while (this.acceptOp(','));
        this.expectOp(')', 1006);
      }
    }
    if (this.procNames[id.lv]) this.fail(1041, id.v);
    this.procNames[id.lv] = true;
    var self = this;
    var body = this.block(function () { return self.isEnd(kind); });
    this.expectEnd(kind, kind === 'sub' ? 1016 : 1015);
    this.program.procs.push({kind: kind, name: id.v, lname: id.lv, params: params, body: body, line: line});
    return null;
  };

  // ------------------------------------------------- assignments and calls

  P.assignment = function (line, set) {
    var target = this.postfix();
    if (!this.acceptOp('=')) this.fail(1011);
    return {type: 'assign', target: checkTarget(this, target), value: this.expression(), set: set, line: line};
  };
  function checkTarget(p, target) {
    if (target.type !== 'name' && target.type !== 'member' && target.type !== 'call') p.fail(1002);
    return target;
  }

  P.callStatement = function (line) {
    var target = this.postfix();
    if (target.type === 'call') return {type: 'call', target: target.target, args: target.args, line: line};
    if (target.type !== 'name' && target.type !== 'member') this.fail(1002);
    return {type: 'call', target: target, args: [], line: line};
  };

  // "x = 1", "a(2) = 3", "obj.Prop = 4", "Foo", "Foo a, b", "Foo (a)", "obj.Method(x)".
  P.simpleStatement = function (line) {
    var target = this.postfix();
    if (this.acceptOp('=')) {
      return {type: 'assign', target: checkTarget(this, target), value: this.expression(), set: false, line: line};
    }
    if (this.atStatementEnd()) {
      if (target.type === 'call') {
        // "Foo(a)" passes (a), a value; "Foo(a, b)" is read as the call it means.
        var args = target.args.length === 1 && target.args[0] ?
          [{type: 'paren', expr: target.args[0], line: line}] : target.args;
        return {type: 'call', target: target.target, args: args, line: line};
      }
      if (target.type !== 'name' && target.type !== 'member') this.fail(1024);
      return {type: 'call', target: target, args: [], line: line};
    }
    // Arguments without brackets; a first one in brackets was taken for a call's.
    if (target.type === 'call') {
      this.pos = target.at;
      target = target.target;
    }
    if (target.type !== 'name' && target.type !== 'member') this.fail(1025);
    var list = [];
    do list.push(this.isOp(',') || this.atStatementEnd() ? null : this.expression()); while (this.acceptOp(','));
    return {type: 'call', target: target, args: list, line: line};
  };
  P.atStatementEnd = function () {
    var t = this.peek();
    return t.k === 'nl' || t.k === 'eof' || (t.k === 'op' && t.v === ':') || (this.inLineIf && this.isWord('else'));
  };

  // ------------------------------------------------------- control

  P.ifStatement = function (line) {
    var condition = this.expression();
    this.expectWord('then', 1017);
    if (this.peek().k !== 'nl') return this.lineIf(condition, line);
    var branches = [], otherwise = null, self = this;
    var ends = function () { return self.isWord('elseif') || self.isWord('else') || self.isEnd('if'); };
    branches.push({cond: condition, body: this.block(ends)});
    for (;;) {
      if (this.acceptWord('elseif')) {
        var c = this.expression();
        this.expectWord('then', 1017);
        branches.push({cond: c, body: this.block(ends)});
      } else if (this.acceptWord('else')) {
        otherwise = this.block(function () { return self.isEnd('if'); });
      } else {
        break;
      }
    }
    this.expectEnd('if', 1012);
    return {type: 'if', branches: branches, otherwise: otherwise, line: line};
  };
  // "If c Then a : b Else d": the statements of one line.
  P.lineIf = function (condition, line) {
    var outer = this.inLineIf;
    this.inLineIf = true;
    var self = this;
    var lineEnds = function () { return self.peek().k === 'nl' || self.peek().k === 'eof'; };
    var then = this.lineStatements(function () { return lineEnds() || self.isWord('else'); });
    var otherwise = null;
    if (this.acceptWord('else')) otherwise = this.lineStatements(lineEnds);
    this.inLineIf = outer;
    return {type: 'if', branches: [{cond: condition, body: then}], otherwise: otherwise, line: line};
  };
  P.lineStatements = function (ends) {
    var body = [];
    this.enter();
    for (;;) {
      while (this.isOp(':')) this.pos++;
      if (ends()) break;
      var s = this.statement(false);
      if (s) body.push(s);
      if (!this.isOp(':') && !ends()) this.fail(1025);
    }
    this.leave();
    return body;
  };

  P.select = function (line) {
    this.expectWord('case', 1021);
    var subject = this.expression();
    var cases = [], otherwise = null, self = this;
    var ends = function () { return self.isWord('case') || self.isEnd('select'); };
    while (this.peek().k === 'nl' || this.isOp(':')) this.pos++;
    while (this.acceptWord('case')) {
      if (this.acceptWord('else')) {
        otherwise = this.block(function () { return self.isEnd('select'); });
        break;
      }
      var values = [];
      do values.push(this.expression()); while (this.acceptOp(','));
      cases.push({values: values, body: this.block(ends)});
    }
    this.expectEnd('select', 1022);
    return {type: 'select', subject: subject, cases: cases, otherwise: otherwise, line: line};
  };

  P.forStatement = function (line) {
    var self = this, body;
    var ends = function () { return self.isWord('next'); };
    var closeNext = function () {
      self.expectWord('next', 1020);
      if (self.peek().k === 'id' && !VB.RESERVED[self.peek().lv] && !(self.inLineIf && self.isWord('else'))) self.pos++;
    };
    if (this.acceptWord('each')) {
      var item = this.name();
      this.expectWord('in', 1046);
      var collection = this.expression();
      body = this.block(ends);
      closeNext();
      return {type: 'foreach', name: item.v, lname: item.lv, collection: collection, body: body, line: line};
    }
    var counter = this.name();
    this.expectOp('=', 1011);
    var from = this.expression();
    this.expectWord('to', 1013);
    var to = this.expression();
    var step = this.acceptWord('step') ? this.expression() : null;
    body = this.block(ends);
    closeNext();
    return {type: 'for', name: counter.v, lname: counter.lv, from: from, to: to, step: step, body: body, line: line};
  };

  P.loopCondition = function () {
    if (this.acceptWord('while')) return {until: false, cond: this.expression()};
    if (this.acceptWord('until')) return {until: true, cond: this.expression()};
    return null;
  };
  P.doLoop = function (line) {
    var before = this.loopCondition(), self = this;
    var body = this.block(function () { return self.isWord('loop'); });
    this.expectWord('loop', 1019);
    var after = this.loopCondition();
    if (before && after) this.fail(1025);
    return {type: 'do', test: before || after, testFirst: !!before, body: body, line: line};
  };
  P.whileLoop = function (line) {
    var cond = this.expression(), self = this;
    var body = this.block(function () { return self.isWord('wend'); });
    this.expectWord('wend', 1018);
    return {type: 'do', test: {until: false, cond: cond}, testFirst: true, body: body, wend: true, line: line};
  };

  P.withBlock = function (line) {
    var subject = this.expression(), self = this;
    var body = this.block(function () { return self.isEnd('with'); });
    this.expectEnd('with');
    return {type: 'with', subject: subject, body: body, line: line};
  };

  P.exit = function (line) {
    var what = this.name(true).lv;
    if (what === 'property') throw new VB.VbUnsupported('Property', line);
    if (['do', 'for', 'sub', 'function'].indexOf(what) < 0) this.fail(1002);
    return {type: 'exit', what: what, line: line};
  };

  P.onError = function (line) {
    this.expectWord('error');
    if (this.acceptWord('resume')) {
      this.expectWord('next');
      return {type: 'onerror', resume: true, line: line};
    }
    this.expectWord('goto');
    var zero = this.next();
    if (zero.k !== 'num' || zero.v !== 0) this.fail(1002);
    return {type: 'onerror', resume: false, line: line};
  };
})(VB);
