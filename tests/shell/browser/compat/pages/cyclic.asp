<html><head><title>循环</title></head><body><script>
var a = window.dialogArguments;
var names = [];
for (var name in a) names.push(name);
var seen = [a.self.self.name, a.rooms[0] === a, a.self === a, names.join(","), window.dialogArguments === a].join("|");
var refused = "";
var mine = {};
mine.me = mine;
try { a.copy = mine; } catch (e) { refused = e.message; }
a.note = {text: "已看", at: [1, 2]};
a.rooms.push("卫生间");
a.extra = JSON.parse('{"__proto__": {"x": 1}}');
try { a.onfound = function () {}; } catch (e) { refused += "; " + e.message; }
var mark = a.mark;
var marked = mark.call(window, "已看");
window.returnValue = {house: a, seen: seen, refused: refused, marked: marked};
window.close();
</script></body></html>
