show
--json
--moves
U R
--keys
<Left>
