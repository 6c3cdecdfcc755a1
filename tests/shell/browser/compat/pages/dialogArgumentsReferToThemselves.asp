<!-- Objects that refer to themselves cross into a dialog as the caller's own; what the dialog hands back of its own is copied, as JSON copies it; one of its objects that contains itself, and a function of its own, are refused with an error. -->
<html><head><script src="/legacy/check.js"></script></head><body><script>
var house = {name: "翠苑一区", price: 156};
house.self = house;
house.rooms = [house, "厨房"];
house.mark = function (how) { house.marked = how; return this === window; };
var back = window.showModalDialog("/legacy/cyclic.asp", house, "dialogWidth:200px;dialogHeight:100px");
check(back && back.house === house, "the caller's object came back as " + (back && back.house));
check(back.seen == "翠苑一区|true|true|name,price,self,rooms,mark|true", "the dialog saw " + back.seen);
check(/自己/.test(back.refused) && /函数/.test(back.refused) && !("onfound" in house), "refused: " + back.refused);
check(back.marked === true && house.marked == "已看", "the caller's function called from the dialog with its window: " + back.marked);
check(Object.keys(house.extra).join() == "__proto__" && house.extra.x === undefined, "the dialog's object named __proto__: " + Object.keys(house.extra));
check(house.note && house.note.text == "已看" && house.note.at.length == 2 && house.note.at[1] == 2, "the dialog's note: " + JSON.stringify(house.note));
check(!("copy" in house) && house.rooms.length == 3 && house.rooms[2] == "卫生间", "what the dialog changed: " + house.rooms.length);
pass();
</script></body></html>
