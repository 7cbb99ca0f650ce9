order
--json
--size
2
R
U
