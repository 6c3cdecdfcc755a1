<!-- The two languages call each other: JScript gets VBScript's answers as its own values; VBScript calls JScript and reads page objects whatever the letter case. -->
<html><head><script src="/legacy/check.js"></script>
<script>
function jsTwice(n) { return n * 2; }
var jsHouse = {district: "东城区", rooms: 2, describe: function () { return this.district + this.rooms; }};
</script>
<script language="VBScript">
Function Price(area, unit)
  Price = area * unit
End Function
Function Districts()
  Districts = Array("东城区", "西城区")
End Function
Function Values()
  Values = Array(Empty, Null, True, CDbl(1.5), #2004-05-01#)
End Function
Function Nobody()
  Set Nobody = Nothing
End Function
Function FromJScript()
  FromJScript = JsTwice(21) & "," & jsHouse.District & "," & jsHouse.Describe() & "," & _
                document.All.txtName.Value & "," & Document.GetElementById("txtName").getAttribute("data-x")
End Function
</script></head><body><input id="txtName" value="张三" data-x="y">
<script>
check(Price(85, 2) === 170, "a number: " + Price(85, 2));
var d = Districts();
check(d instanceof Array && d.length == 2 && d[1] == "西城区", "an array: " + d);
var v = Values();
check(v[0] === undefined && v[1] === null && v[2] === true && v[3] === 1.5, "values: " + v);
check(v[4] instanceof Date && v[4].getFullYear() == 2004 && v[4].getMonth() == 4, "a date: " + v[4]);
check(Nobody() === null, "Nothing: " + Nobody());
check(FromJScript() == "42,东城区,东城区2,张三,y", "VBScript's view: " + FromJScript());
pass();
</script></body></html>
