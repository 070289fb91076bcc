'Ã·½Ä´ÃŞ¨À“™‚ÅÏ¸Û‚ğC³‚µ‚½ê‡,‚±‚Ìs‚ğíœ‚µ‚Ä‰º‚³‚¢ (^_^)
'=================================================================
'  ‚y‚d‚o‚n—pƒ}ƒNƒ(ZEPO´ÃŞ¨À‚Åì¬)
'=================================================================
card {next}
	title  {‚²‚ ‚¢‚³‚Â}
	new    {WHITE}
	edit   {0}

	font   {JM}{28}{0,8}
	font2  {0}{0}
	color  {BLUE2}
	textf  {40,40}{aisatsu.txt}{0}

	color  {}{GRAY}
	frame  {20,400}{140,440}{FA}{main,main.zep}

	font   {JG}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {36,410}{‚à‚Ç‚é}{0}{main,main.zep}

	color  {}{GRAY}
	frame  {500,400}{620,440}{FA}{last,last.zep}

	font   {JG}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {516,410}{‚¨‚í‚è}{0}{last,last.zep}

	button {0}{main,main.zep}
	button {1}{last,last.zep}

end
