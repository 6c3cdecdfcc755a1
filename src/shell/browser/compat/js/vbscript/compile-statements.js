// Statements turned into functions of a frame that answer how they ended: run
// through (undefined), or Exit Do, Exit For, Exit Sub/Function. A run-time
// error stops the procedure unless On Error Resume Next is in force: then Err
// keeps it and the next statement runs.
(function (VB) {
  'use strict';

  var fail = VB.fail, expr = VB.compileExpr, Scope = VB.Scope;
  var EXIT_DO = 1, EXIT_FOR = 2, EXIT_PROC = VB.EXIT_PROC;

  function sequence(nodes, scope) {
    var steps = [], lines = [];
    nodes.forEach(function (n) {
      steps.push(statement(n, scope));
      lines.push(n.line);
    });
    var rt = scope.rt, count = steps.length;
    return function (f) {
      for (var i = 0; i < count; i++) {
        var how;
        try {
          how = steps[i](f);
        } catch (e) {
          var err = rt.atLine(e, lines[i]);
          if (!f.resume) throw err;
          rt.err.set(err);
          continue;
        }
        if (how !== undefined) return how;
      }
      return undefined;
    };
  }

  function statement(node, scope) {
    switch (node.type) {
      case 'assign': return assignment(node, scope);
      case 'call': {
        var run = VB.compileCall({type: 'call', target: node.target, args: node.args}, scope);
        return function (f) { run(f); };
      }
      case 'dim': case 'const': return function () {};  // declared before the code runs
      case 'redim': return redim(node, scope);
      case 'erase': return erase(node, scope);
      case 'if': return ifStatement(node, scope);
      case 'select': return select(node, scope);
      case 'for': return forLoop(node, scope);
      case 'foreach': return forEach(node, scope);
      case 'do': return doLoop(node, scope);
      case 'with': return withBlock(node, scope);
      case 'exit': {
        var how = node.what === 'do' ? EXIT_DO : node.what === 'for' ? EXIT_FOR : EXIT_PROC;
        return function () { return how; };
      }
      case 'onerror': {
        var resume = node.resume, rt = scope.rt;
        return function (f) {
          f.resume = resume;
          rt.err.Clear();
        };
      }
      default: return fail(51);
    }
  }

  // --------------------------------------------------------- assignment

  // What a plain assignment stores: a copy of an array, an object's default value when it has one.
  function plain(v) {
    if (v instanceof VB.VArray) return VB.copyValue(v);
    if (v !== null && typeof v === 'object' && VB.isObject(v) && v !== VB.NOTHING) {
      var d = VB.defaultValueIfAny(v);
      return d === VB.NO_DEFAULT ? v : d;
    }
    return v;
  }
  // What Set stores: an object, or Nothing.
  function object(v) {
    if (v === null || v === VB.NOTHING) return VB.NOTHING;
    if (!VB.isObject(v)) fail(424);
    return v;
  }

  function withObject(f) { return f.with.length ? f.with[f.with.length - 1] : fail(505); }

  // Stores into a name: a variable of the procedure, or one looked up when it runs.
  function nameSetter(lname, name, scope) {
    var i = scope.slot(lname), rt = scope.rt, explicit = scope.explicit;
    if (i >= 0) return function (f, v) { f.s[i].v = v; };
    return function (f, v) { rt.write(lname, name, f, v, explicit); };
  }
  VB.nameSetter = nameSetter;

  function assignment(node, scope) {
    var value = expr(node.value, scope), convert = node.set ? object : plain, target = node.target;
    if (target.type === 'name') {
      var store = nameSetter(target.lname, target.name, scope);
      return function (f) { store(f, convert(value(f))); };
    }
    if (target.type === 'member') {
      var obj = target.obj ? expr(target.obj, scope) : withObject;
      var name = target.name, lname = target.lname;
      return function (f) {
        var o = obj(f);
        VB.setMember(o, name, lname, convert(value(f)));
      };
    }
    // a(i) = v, obj.Item(k) = v, obj(k) = v
    var indexes = VB.compileArgs(target.args, scope), holder = target.target;
    if (holder.type === 'name') {
      var cell = VB.variableCell(holder, scope), rt = scope.rt, hname = holder.name, hl = holder.lname;
      return function (f) {
        var c = cell(f);
        var at = VB.argValues(indexes, f), v = convert(value(f));
        if (!c) {
          var key = VB.memberKey(rt.win, hname, hl);
          if (key === null) fail(rt.procs.has(hl) ? 501 : 9, hname);
          return VB.setIndexed(rt.win[key], at, v);
        }
        if (VB.isArray(c.v)) return VB.setElement(c.v, at, v);
        return VB.setIndexed(c.v, at, v);
      };
    }
    if (holder.type === 'member') {
      var owner = holder.obj ? expr(holder.obj, scope) : withObject, mname = holder.name, ml = holder.lname;
      return function (f) {
        VB.setMemberIndexed(owner(f), mname, ml, VB.argValues(indexes, f), convert(value(f)));
      };
    }
    var callee = expr(holder, scope);
    return function (f) { VB.setIndexed(callee(f), VB.argValues(indexes, f), convert(value(f))); };
  }

  function redim(node, scope) {
    var rt = scope.rt, explicit = scope.explicit, preserve = node.preserve;
    var parts = node.names.map(function (d) {
      var i = scope.slot(d.lname);
      return {
        cell: i >= 0 ? function (f) { return f.s[i]; } : function (f) { return rt.ref(d.lname, d.name, f, explicit); },
        bounds: d.dims.map(function (e) { return expr(e, scope); })
      };
    });
    return function (f) {
      parts.forEach(function (p) {
        var cell = p.cell(f);
        cell.v = VB.redim(cell.v, p.bounds.map(function (b) { return b(f); }), preserve);
      });
    };
  }
  function erase(node, scope) {
    var rt = scope.rt;
    var cells = node.names.map(function (lname) {
      var i = scope.slot(lname);
      return i >= 0 ? function (f) { return f.s[i]; } : function (f) { return rt.cell(lname, f) || fail(13, lname); };
    });
    return function (f) {
      cells.forEach(function (c) {
        var cell = c(f);
        cell.v = VB.erase(cell.v);
      });
    };
  }

  // ------------------------------------------------------------ control

  // A condition. Under On Error Resume Next an error in it counts as true, as it did.
  function condition(node, scope) {
    var test = expr(node, scope), rt = scope.rt;
    return function (f) {
      try {
        return VB.toBool(test(f), false);
      } catch (e) {
        if (!f.resume) throw e;
        rt.err.set(VB.asVbError(e));
        return true;
      }
    };
  }

  function ifStatement(node, scope) {
    var branches = node.branches.map(function (b) {
      return {test: condition(b.cond, scope), body: sequence(b.body, scope)};
    });
    var otherwise = node.otherwise ? sequence(node.otherwise, scope) : null;
    return function (f) {
      for (var i = 0; i < branches.length; i++) if (branches[i].test(f)) return branches[i].body(f);
      return otherwise ? otherwise(f) : undefined;
    };
  }

  function select(node, scope) {
    var subject = expr(node.subject, scope), literal = !!node.subject.literal;
    var cases = node.cases.map(function (c) {
      return {
        values: c.values.map(function (v) { return {value: expr(v, scope), literal: !!v.literal}; }),
        body: sequence(c.body, scope)
      };
    });
    var otherwise = node.otherwise ? sequence(node.otherwise, scope) : null;
    return function (f) {
      var v = subject(f);
      for (var i = 0; i < cases.length; i++) {
        var list = cases[i].values;
        for (var j = 0; j < list.length; j++) {
          if (VB.compare(v, list[j].value(f), literal, list[j].literal) === 0) return cases[i].body(f);
        }
      }
      return otherwise ? otherwise(f) : undefined;
    };
  }

  function counter(node, scope) {
    var i = scope.slot(node.lname), rt = scope.rt, lname = node.lname, name = node.name, explicit = scope.explicit;
    return {
      get: i >= 0 ? function (f) { return f.s[i].v; } : function (f) { return rt.read(lname, name, f, explicit); },
      set: nameSetter(lname, name, scope)
    };
  }

  function forLoop(node, scope) {
    var c = counter(node, scope), from = expr(node.from, scope), to = expr(node.to, scope);
    var step = node.step ? expr(node.step, scope) : function () { return 1; };
    var body = sequence(node.body, scope);
    return function (f) {
      var start = from(f), end = to(f), by = step(f);
      if (start === null || end === null || by === null) fail(94);
      var last = VB.toNumber(end), stride = VB.toNumber(by);
      c.set(f, typeof start === 'string' ? VB.CDbl(start) : start);
      for (;;) {
        var now = VB.toNumber(c.get(f));
        if (stride >= 0 ? now > last : now < last) break;
        var how = body(f);
        if (how === EXIT_FOR) break;
        if (how !== undefined) return how;
        c.set(f, VB.add(c.get(f), by));
      }
      return undefined;
    };
  }

  function forEach(node, scope) {
    var item = nameSetter(node.lname, node.name, scope), collection = expr(node.collection, scope);
    var body = sequence(node.body, scope);
    return function (f) {
      var items = VB.items(collection(f));
      for (var i = 0; i < items.length; i++) {
        item(f, items[i]);
        var how = body(f);
        if (how === EXIT_FOR) break;
        if (how !== undefined) return how;
      }
      return undefined;
    };
  }

  function doLoop(node, scope) {
    var body = sequence(node.body, scope), first = node.testFirst;
    var test = node.test ? condition(node.test.cond, scope) : null, until = node.test && node.test.until;
    var goOn = function (f) { return !test || test(f) !== until; };
    return function (f) {
      for (;;) {
        if (first && !goOn(f)) break;
        var how = body(f);
        if (how === EXIT_DO) break;
        if (how !== undefined) return how;
        if (!first && !goOn(f)) break;
      }
      return undefined;
    };
  }

  function withBlock(node, scope) {
    var subject = expr(node.subject, scope), body = sequence(node.body, scope);
    return function (f) {
      f.with.push(subject(f));
      try {
        return body(f);
      } finally {
        f.with.pop();
      }
    };
  }

  // -------------------------------------------------------- procedures

  // The names a procedure declares with Dim and Const, wherever in its body.
  function declarations(body, found) {
    body.forEach(function (n) {
      if (n.type === 'dim') n.names.forEach(function (d) { found.push({kind: 'dim', decl: d}); });
      if (n.type === 'const') n.items.forEach(function (c) { found.push({kind: 'const', decl: c}); });
      ['body', 'otherwise'].forEach(function (k) { if (Array.isArray(n[k])) declarations(n[k], found); });
      (n.branches || n.cases || []).forEach(function (b) { declarations(b.body, found); });
    });
    return found;
  }

  function procedure(rt, node, explicit, block) {
    var proc = {
      name: node.name, lname: node.lname, kind: node.kind, block: block, line: node.line,
      params: node.params, slotMap: new Map(), slotCount: 0, resultSlot: -1, arrays: [], constants: []
    };
    var add = function (lname) {
      if (!proc.slotMap.has(lname)) proc.slotMap.set(lname, proc.slotCount++);
      return proc.slotMap.get(lname);
    };
    node.params.forEach(function (p) { add(p.lname); });
    if (node.kind === 'function') proc.resultSlot = add(node.lname);
    declarations(node.body, []).forEach(function (d) {
      var slot = add(d.decl.lname);
      if (d.kind === 'const') proc.constants.push({slot: slot, value: d.decl.value});
      else if (d.decl.dims && d.decl.dims.length) proc.arrays.push({slot: slot, bounds: d.decl.dims.map(literal)});
      else if (d.decl.dims) proc.arrays.push({slot: slot, bounds: null});
    });
    var body = sequence(node.body, new Scope(rt, proc, explicit));
    proc.body = function (frame) {
      proc.constants.forEach(function (c) {
        frame.s[c.slot].v = c.value;
        frame.s[c.slot].constant = true;
      });
      body(frame);
    };
    return proc;
  }
  function literal(node) { return node.value; }

  // A script compiled: run() declares its procedures and variables, then runs its code.
  VB.compile = function (rt, program, block) {
    var procs = program.procs.map(function (p) { return procedure(rt, p, program.explicit, block); });
    var body = sequence(program.body, new Scope(rt, null, program.explicit));
    var declared = declarations(program.body, []);
    return function (frame) {
      procs.forEach(function (p) { rt.define(p); });
      declared.forEach(function (d) {
        var cell = rt.declareGlobal(d.decl.lname, d.decl.name);
        if (d.kind === 'const') {
          cell.v = d.decl.value;
          cell.constant = true;
        } else if (d.decl.dims) {
          cell.v = d.decl.dims.length ? VB.makeArray(d.decl.dims.map(literal), true) : new VB.VArray([], [], false);
        }
      });
      body(frame);
    };
  };
})(VB);
