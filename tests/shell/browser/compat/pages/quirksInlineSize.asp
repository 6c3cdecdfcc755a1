<html><head><script src="/legacy/check.js"></script>
<style>.day { width: 24px; height: 18px; text-align: center }</style></head><body>
<div id="grid"><span class="day">1</span><span class="day">2</span><span style="width:40px;height:20px">30</span></div>
<div id="later"></div>
<script>
// A calendar's day cells of that time: inline elements given a size.
var cells = document.getElementById("grid").getElementsByTagName("span");
window.onload = function () {
  check(cells[0].offsetWidth == 24 && cells[1].offsetWidth == 24, "class width: " + cells[0].offsetWidth);
  check(cells[2].offsetWidth == 40 && cells[2].offsetHeight == 20, "style width: " + cells[2].offsetWidth);
  // a month drawn on a click, later
  document.getElementById("later").innerHTML = '<span class="day">5</span>';
  setTimeout(function () {
    check(document.getElementById("later").firstChild.offsetWidth == 24, "drawn later: " +
          document.getElementById("later").firstChild.offsetWidth);
    pass();
  }, 0);
};
</script></body></html>
