<html><head><script src="/legacy/check.js"></script></head><body>
<form><input name="a"><input name="b"></form>
<script>
var d = new ActiveXObject("Scripting.Dictionary");
d.Add("bj", "Beijing");
d.Add("sh", "Shanghai");
check(d.Exists("bj") && d.Count == 2 && d.Item("sh") == "Shanghai", "the dictionary");
check(new VBArray(d.Keys()).toArray().join() == "bj,sh", "Keys()");
var seen = [];
for (var e = new Enumerator(document.forms[0].elements); !e.atEnd(); e.moveNext()) seen.push(e.item().name);
check(seen.join() == "a,b", "Enumerator " + seen.join());
pass();
</script></body></html>