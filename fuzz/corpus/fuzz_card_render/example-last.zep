'Ã·½Ä´ÃŞ¨À“™‚ÅÏ¸Û‚ğC³‚µ‚½ê‡,‚±‚Ìs‚ğíœ‚µ‚Ä‰º‚³‚¢ (^_^)
'=================================================================
'  ‚y‚d‚o‚n—pƒ}ƒNƒ(ZEPO´ÃŞ¨À‚Åì¬)
'=================================================================
card {last}
	title  {‚¨‚í‚è‚É}
	new    {YELLOW}

	font   {JM}{28}{0}
	font2  {0}{1}
	color  {RED2}{WHITE}
	text   {120,200}{‚²´’®‚ ‚è‚ª‚Æ‚¤‚²‚´‚¢‚Ü‚µ‚½}{0}

	bitmap {460,320}{sakura.bmp,100.0}{0}{this}

	button {0}{main,main.zep}

	marker  {RED}{5}

	@slide  {5}
		{main,main.zep}
		{next,next.zep}
		{last,last.zep}
	@end

end
