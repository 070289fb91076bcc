card {x}
	font {JM}{28}{0,8}
	color {BLUE2}
	textf {40,40}{aisatsu.txt}{0}
	font {EM}{20}{0,2}
	textf {1,1}{memo.txt}{0}
	font {JG2}{20}{0,500}
	textf2 {300,10}{tate.txt}{0}
	textf2 {300,10}{memo.txt}{0}
	textf {0,0}{empty.txt}{0}
	textf {0,0}{long.txt}{0}
	textf {0,0}{missing.txt}{0}
	textf {0,0}{}{0}
	textf {0,0}{ï∂èë.txt}{0}
end
