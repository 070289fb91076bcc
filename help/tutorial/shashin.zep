'Ã·½Ä´ÃŞ¨À“™‚ÅÏ¸Û‚ğC³‚µ‚½ê‡,‚±‚Ìs‚ğíœ‚µ‚Ä‰º‚³‚¢ (^_^)
'=================================================================
'  ‚y‚d‚o‚n—pƒ}ƒNƒ(ZEPO´ÃŞ¨À‚Åì¬)
'=================================================================
card {shashin}
	title  {Z’ë‚Ì÷}
	new    {WHITE}

	font   {JM}{32}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {24,12}{Z’ë‚Ì÷}{0}

	bitmap {40,100}{kousha.bmp,100.0}{0}

	color  {}{WHITE}
	frame  {440,400}{600,448}{FA}{bunsho,bunsho.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {460,412}{‚Â‚¬‚Ö}{0}{bunsho,bunsho.zep}

	color  {}{WHITE}
	frame  {40,400}{200,448}{FA}{main,main.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {60,412}{‚à‚Ç‚é}{0}{main,main.zep}

end
