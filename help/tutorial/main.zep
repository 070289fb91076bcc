ZEPO:t‚Ì”­•\‰ï
'Ã·½Ä´ÃŞ¨À“™‚ÅÏ¸Û‚ğC³‚µ‚½ê‡,‚±‚Ìs‚ğíœ‚µ‚Ä‰º‚³‚¢ (^_^)
'=================================================================
'  ‚y‚d‚o‚n—pƒ}ƒNƒ(ZEPO´ÃŞ¨À‚Åì¬)
'=================================================================
card {main}
	title  {t‚Ì”­•\‰ï}
	new    {WHITE}
	edit   {0}

	font   {JM}{40}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {24,12}{t‚ÌŒ¤‹†”­•\‰ï}{0}

	bitmap {40,100}{sakura.bmp,100.0}{0}

	color  {}{WHITE}
	frame  {440,400}{600,448}{FA}{shashin,shashin.zep}

	font   {JM}{20}{0}
	font2  {0}{0}
	color  {BLACK}{WHITE}
	text   {460,412}{‚Â‚¬‚Ö}{0}{shashin,shashin.zep}

	button {0}{shashin,shashin.zep}

	midi    {haru.mid}

end
